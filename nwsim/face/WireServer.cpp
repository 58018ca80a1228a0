#include "nwsim/face/WireServer.h"

namespace nwsim {

namespace {

constexpr std::uint8_t kNoMoreConnections = 0xD9;

ncp::Reply replyTo(const ncp::Request &request, std::uint8_t completion = 0, ncp::Bytes data = {})
{
    return {ncp::PacketType::Reply, request.sequence, request.connection, request.task, completion, 0,
            std::move(data)};
}

// A request on a connection the server does not know is answered all the same, flagged in its status.
ncp::Reply badConnection(const ncp::Request &request)
{
    ncp::Reply reply = replyTo(request);
    reply.status = ncp::kStatusBadConnection;
    return reply;
}

bool known(const ncp::Request &request, const Station &station)
{
    return station.number != 0 && request.connection == station.number;
}

} // namespace

WireServer::WireServer(Network &network, const Scenario &scenario, std::size_t server)
    : m_network(network), m_name(scenario.servers.at(server).name),
      m_faults(scenario.servers[server].wireFaults), m_calls(network, scenario, server, m_stations)
{
    m_network.GetConnectionHandle(m_name.c_str(), &m_handle);
}

void WireServer::SetAddress(const WireAddress &address)
{
    m_calls.SetAddress(address);
}

WireServer::Response WireServer::Respond(const ncp::Request &request, Station &station, std::uint64_t now)
{
    const WireFaults::Conditions conditions = m_faults.Arrive(WireCalls::Statistics(request), now);
    if (!m_network.Answering(m_handle)) {
        m_calls.Refuse();
        return {};
    }
    return {answer(request, station, conditions.signing), conditions.delivery};
}

void WireServer::Leave(const Station &station)
{
    if (station.number != 0) {
        m_stations.erase(station.number);
    }
}

std::optional<ncp::Reply> WireServer::answer(const ncp::Request &request, Station &station,
                                             bool demandSigning)
{
    switch (request.type) {
    case ncp::PacketType::Create:
        return create(request, station);
    case ncp::PacketType::Destroy:
        return destroy(request, station);
    case ncp::PacketType::Request:
        return serve(request, station, demandSigning);
    default:
        return std::nullopt;
    }
}

// A connection that is created again keeps its number and starts afresh.
std::optional<ncp::Reply> WireServer::create(const ncp::Request &request, Station &station)
{
    std::uint16_t number = station.number;
    for (std::uint16_t candidate = 1; number == 0 && candidate != 0; ++candidate) {
        if (!m_stations.contains(candidate)) {
            number = candidate;
        }
    }
    if (number == 0) {
        return replyTo(request, kNoMoreConnections);
    }
    station = Station{};
    station.number = number;
    m_stations[number] = &station;
    ncp::Reply reply = replyTo(request);
    reply.connection = number;
    return reply;
}

std::optional<ncp::Reply> WireServer::destroy(const ncp::Request &request, Station &station)
{
    if (!known(request, station)) {
        return badConnection(request);
    }
    Leave(station);
    station = Station{};
    return replyTo(request);
}

std::optional<ncp::Reply> WireServer::serve(const ncp::Request &request, Station &station, bool demandSigning)
{
    if (!known(request, station)) {
        return badConnection(request);
    }
    if (station.signing) {
        return std::nullopt;
    }
    // The same sequence again is the same request again: it is answered, not done twice.
    if (station.lastReply && station.lastReply->sequence == request.sequence) {
        return station.lastReply;
    }
    const std::optional<WireCalls::Answer> answer = m_calls.Serve(request, station, demandSigning);
    if (!answer) {
        return std::nullopt;
    }
    station.lastReply = replyTo(request, answer->completion, answer->data);
    return station.lastReply;
}

} // namespace nwsim
