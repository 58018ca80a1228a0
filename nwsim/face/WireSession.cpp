#include "nwsim/face/WireSession.h"

#include "ncp/wire/Packet.h"

namespace nwsim {

namespace {

// The requests served here are small; a longer packet is no request of a monitor's.
constexpr std::size_t kLongestRequest = 4096;

} // namespace

WireSession::WireSession(WireServer &server)
    : m_server(server), m_reader(ncp::FrameReader::Direction::Requests, kLongestRequest)
{}

WireSession::~WireSession()
{
    m_server.Leave(m_station);
}

std::size_t WireSession::Wanted() const
{
    return m_delivery || m_closing ? 0 : m_reader.Missing();
}

void WireSession::Receive(ncp::ByteView bytes, std::uint64_t now)
{
    m_reader.Append(bytes);
    handleFrames(now);
}

std::optional<std::uint64_t> WireSession::Due() const
{
    return m_delivery ? std::optional(m_delivery->Due()) : std::nullopt;
}

ncp::Bytes WireSession::Take(std::uint64_t now)
{
    if (!m_delivery) {
        return {};
    }
    ncp::Bytes bytes = m_delivery->Take(now);
    if (m_delivery->Done()) {
        m_delivery.reset();
        handleFrames(now);
    }
    return bytes;
}

void WireSession::handleFrames(std::uint64_t now)
{
    ncp::Bytes frame;
    while (!m_delivery && !m_closing) {
        const ncp::FrameReader::Result result = m_reader.Next(frame);
        if (result == ncp::FrameReader::Result::NeedMore) {
            return;
        }
        if (result == ncp::FrameReader::Result::Malformed) {
            m_closing = true;
            return;
        }
        handle(ncp::ByteView(frame).subspan(m_reader.HeaderSize()), now);
    }
}

void WireSession::handle(ncp::ByteView packet, std::uint64_t now)
{
    const std::optional<ncp::Request> request = ncp::DecodeRequest(packet);
    if (!request) {
        return;
    }
    const WireServer::Response response = m_server.Respond(*request, m_station, now);
    if (!response.reply) {
        return;
    }
    if (response.fault != nullptr && response.fault->kind == WireFaultKind::Drop) {
        m_closing = true;
        return;
    }
    const ncp::Reply &reply = *response.reply;
    const ncp::Reply note{ncp::PacketType::Busy, reply.sequence, reply.connection, reply.task, 0, 0, {}};
    m_delivery.emplace(ncp::EncodeReplyFrame(reply), ncp::EncodeReplyFrame(note), response.fault, now);
}

} // namespace nwsim
