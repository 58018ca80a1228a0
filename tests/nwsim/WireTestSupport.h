#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ncp/wire/Bytes.h"
#include "ncp/wire/Packet.h"
#include "nwsim/Scenario.h"
#include "nwsim/face/WireServer.h"
#include "nwsim/face/WireSession.h"

namespace nwsim::test {

// Bytes written by hand: hex digits in pairs ("0001"), 'ASCII text', ".." for any byte (in a pattern), and
// "UNIT*N" for N of a unit. Spaces only make the layout readable.
ncp::Bytes Bytes(std::string_view text);
bool Matches(std::string_view pattern, ncp::ByteView data);
Scenario ParseScenario(const std::string &text);

// One TCP connection to a server of the face, driven by hand at the time the test sets.
class WireClient
{
public:
    WireClient(WireServer &server, const std::uint64_t &now) : m_session(server), m_now(now) {}

    // The packet in a request frame, fed as the face's loop reads: no more than the session wants at a time.
    void Send(ncp::ByteView packet);
    // Everything the session sends at the current time.
    ncp::Bytes Due();
    // 0x1111; the connection number of the reply, 0 for none.
    std::uint16_t Create();
    // A service request with the next sequence number, function onward; the reply that goes at once, its
    // frame and copied address checked; none: silence.
    std::optional<ncp::Reply> Call(std::string_view body);
    std::optional<ncp::Reply> Call(ncp::ByteView body);
    // A keyed login as a client makes it; the completion code.
    std::uint8_t Login(const std::string &user, const std::string &password);

    WireSession &Session() { return m_session; }
    std::uint16_t Number() const { return m_number; }

private:
    WireSession m_session;
    const std::uint64_t &m_now;
    std::uint16_t m_number = 0;
    std::uint8_t m_sequence = 0;
};

} // namespace nwsim::test
