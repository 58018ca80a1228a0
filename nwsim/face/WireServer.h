#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ncp/wire/Packet.h"
#include "nwsim/Network.h"
#include "nwsim/face/Station.h"
#include "nwsim/face/WireCalls.h"
#include "nwsim/face/WireFaults.h"

namespace nwsim {

// One server of the scenario as its TCP face shows it: the NCP connections made to it, numbered from 1, the
// answers to their requests from the simulated network, and the wire faults on the way back. A server the
// scenario has stopped says nothing at all.
class WireServer
{
public:
    struct Response
    {
        // None: the server says nothing.
        std::optional<ncp::Reply> reply;
        const WireFault *fault = nullptr;
    };

    // scenario: the one the network was built from; server: the index of this server in it.
    WireServer(Network &network, const Scenario &scenario, std::size_t server);
    WireServer(const WireServer &) = delete;
    WireServer &operator=(const WireServer &) = delete;

    const std::string &Name() const { return m_name; }
    void SetAddress(const WireAddress &address);
    Response Respond(const ncp::Request &request, Station &station, std::uint64_t now);
    // A connection that closes gives its number back.
    void Leave(const Station &station);

private:
    std::optional<ncp::Reply> answer(const ncp::Request &request, Station &station, bool demandSigning);
    std::optional<ncp::Reply> create(const ncp::Request &request, Station &station);
    std::optional<ncp::Reply> destroy(const ncp::Request &request, Station &station);
    std::optional<ncp::Reply> serve(const ncp::Request &request, Station &station, bool demandSigning);

    Network &m_network;
    std::string m_name;
    std::uint32_t m_handle = 0;
    StationTable m_stations;
    WireFaults m_faults;
    WireCalls m_calls;
};

} // namespace nwsim
