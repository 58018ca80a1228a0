#include "ncp/Session.h"

#include "ncp/Codes.h"

namespace ncp {

namespace {

// However often a server says it is still working, a reply this late is not coming.
constexpr Clock::duration kLongestWait = std::chrono::seconds(30);

} // namespace

Session::Session(Socket socket, const Waker &waker, Trace *trace)
    : m_socket(std::move(socket)), m_waker(waker), m_trace(trace),
      m_reader(FrameReader::Direction::Replies, kReplyBufferSize)
{
    if (m_trace != nullptr)
        m_stream = m_trace->Begin(m_socket.Local(), m_socket.Peer());
}

Session::~Session()
{
    if (m_trace != nullptr)
        m_trace->End(m_stream);
}

Session::Outcome Session::Create(Clock::duration patience)
{
    Request request;
    request.type = PacketType::Create;
    return send(std::move(request), patience);
}

Session::Outcome Session::Exchange(Request request, Clock::duration patience)
{
    request.type = PacketType::Request;
    return send(std::move(request), patience);
}

void Session::Destroy(Clock::duration patience)
{
    if (!m_broken) {
        Request request;
        request.type = PacketType::Destroy;
        send(std::move(request), patience);
    }
    m_socket.Close();
    m_broken = true;
}

Session::Outcome Session::send(Request request, Clock::duration patience)
{
    if (m_broken)
        return {codes::kConnectionLost, {}, true};
    request.sequence = m_sequence;
    request.connection = m_number;
    const Bytes frame = EncodeRequestFrame(request);
    if (m_trace != nullptr)
        m_trace->ToServer(m_stream, frame);
    if (m_socket.Send(frame, Clock::now() + patience, m_waker) != Socket::Status::Done)
        return broken(codes::kSendFailed);
    Outcome outcome = await(request, patience);
    // The sequence moves on only once the request is answered; a session that broke is not used again.
    ++m_sequence;
    return outcome;
}

Session::Outcome Session::await(const Request &request, Clock::duration patience)
{
    const Clock::time_point last = Clock::now() + kLongestWait;
    Clock::time_point quiet = Clock::now() + patience;
    for (;;) {
        Bytes packet;
        if (Outcome failed = receive(packet, std::min(quiet, last)); failed.broken)
            return failed;
        const std::optional<Reply> reply = DecodeReply(packet);
        if (!reply)
            return broken(codes::kRequesterFailure);
        if (reply->type == PacketType::Notice || reply->type == PacketType::Burst)
            continue;
        // The create reply brings the connection's number; every later one must carry it.
        const bool ours = reply->sequence == request.sequence &&
                          (request.type == PacketType::Create || reply->connection == m_number);
        if (!ours)
            return broken(codes::kRequesterFailure);
        if (reply->type == PacketType::Busy) {
            quiet = Clock::now() + patience;
            continue;
        }
        if ((reply->status & kStatusServerDown) != 0)
            return broken(codes::kConnectionLost);
        if ((reply->status & kStatusBadConnection) != 0)
            return broken(codes::kInvalidConnection);
        if (request.type == PacketType::Create)
            m_number = reply->connection;
        return {codes::FromServer(reply->completion), std::move(reply->data), false};
    }
}

Session::Outcome Session::receive(Bytes &packet, Clock::time_point deadline)
{
    for (;;) {
        Bytes frame;
        switch (m_reader.Next(frame)) {
        case FrameReader::Result::Malformed:
            return broken(codes::kRequesterFailure);
        case FrameReader::Result::Frame:
            if (m_trace != nullptr)
                m_trace->ToClient(m_stream, frame);
            packet.assign(frame.begin() + std::ptrdiff_t(m_reader.HeaderSize()), frame.end());
            return {};
        case FrameReader::Result::NeedMore:
            break;
        }
        Bytes received;
        switch (m_socket.Receive(received, m_reader.Missing(), deadline, m_waker)) {
        case Socket::Status::Done:
            m_reader.Append(received);
            break;
        case Socket::Status::Failed:
            return broken(codes::kReceiveFailed);
        case Socket::Status::Closed:
        case Socket::Status::TimedOut:
        case Socket::Status::Woken:
            return broken(codes::kConnectionLost);
        }
    }
}

Session::Outcome Session::broken(std::uint32_t code)
{
    m_broken = true;
    m_socket.Close();
    return {code, {}, true};
}

} // namespace ncp
