#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "ncp/wire/Bytes.h"
#include "ncp/wire/Packet.h"
#include "nwsim/Network.h"
#include "nwsim/face/Station.h"

namespace nwsim {

// Where a server of the face listens, as its network addresses call reports it. The call's entries have room
// for an IPv4 address only, so a server on IPv6 reports none.
struct WireAddress
{
    std::optional<std::array<std::uint8_t, 4>> ipv4;
    std::uint16_t port = 0;
};

// The answers of one server of the face to the calls a monitor makes, from the simulated network: the same
// server the simulated client shows, seen through its connection there. Console calls need a connection
// logged in as the scenario's login on a server where it has console rights.
class WireCalls
{
public:
    struct Answer
    {
        std::uint8_t completion = 0;
        ncp::Bytes data;
    };

    WireCalls(Network &network, const Scenario &scenario, std::size_t server, const StationTable &stations);

    void SetAddress(const WireAddress &address);
    // None: the server says nothing, as a stopped server does. demandSigning: the buffer negotiation answers
    // that the server signs, and the station hears nothing more.
    std::optional<Answer> Serve(const ncp::Request &request, Station &station, bool demandSigning);
    // Whether a request is one of those that time stops and faults counted in calls.
    static bool Statistics(const ncp::Request &request);
    // A request that a stopped server ignores counts as a refused statistics request: a client that heard
    // nothing connects again before it asks for statistics, and a stop timed in calls ends after so many
    // refusals.
    void Refuse();

private:
    using Handler = std::optional<Answer> (WireCalls::*)(const ncp::Request &, Station &);
    struct Call
    {
        std::uint8_t function;
        std::uint8_t subfunction;
        Handler handler;
    };
    static const std::array<Call, 20> kCalls;

    std::optional<Answer> dateTime(const ncp::Request &request, Station &station);
    std::optional<Answer> setDateTime(const ncp::Request &request, Station &station);
    std::optional<Answer> information(const ncp::Request &request, Station &station);
    std::optional<Answer> statistics(const ncp::Request &request, Station &station);
    std::optional<Answer> miscInformation(const ncp::Request &request, Station &station);
    std::optional<Answer> lanStatistics(const ncp::Request &request, Station &station);
    std::optional<Answer> objectId(const ncp::Request &request, Station &station);
    std::optional<Answer> loginKey(const ncp::Request &request, Station &station);
    std::optional<Answer> keyedLogin(const ncp::Request &request, Station &station);
    std::optional<Answer> logout(const ncp::Request &request, Station &station);
    std::optional<Answer> stationInfo(const ncp::Request &request, Station &station);
    std::optional<Answer> stationInfoByte(const ncp::Request &request, Station &station);
    std::optional<Answer> accessLevel(const ncp::Request &request, Station &station);
    std::optional<Answer> consolePrivileges(const ncp::Request &request, Station &station);
    std::optional<Answer> manager(const ncp::Request &request, Station &station);
    std::optional<Answer> negotiateBuffer(const ncp::Request &request, Station &station);
    std::optional<Answer> bigPacket(const ncp::Request &request, Station &station);
    std::optional<Answer> ping(const ncp::Request &request, Station &station);
    std::optional<Answer> addresses(const ncp::Request &request, Station &station);
    std::optional<Answer> volumes(const ncp::Request &request, Station &station);

    std::optional<Answer> counters(const Station &station,
                                   ncp::Bytes (*layout)(const ncp::StatisticsRecord &));
    std::optional<Answer> loggedInfo(std::uint32_t number) const;
    // Looks a bindery object up: the network's code, and the object's ID as it goes on the wire.
    std::uint32_t findObject(const ncp::ObjectName &object, ncp::ObjectId &id);
    bool loggedInAsUser(const Station &station) const;
    bool console(const Station &station) const;
    std::optional<Answer> consoleOnly(const Station &station, std::optional<Answer> answer) const;

    Network &m_network;
    std::uint32_t m_handle = 0;
    ServerSetup m_setup;
    std::string m_binderyUser;
    const StationTable &m_stations;
    WireAddress m_address;
    std::mt19937 m_random;
    bool m_demandSigning = false;
};

} // namespace nwsim
