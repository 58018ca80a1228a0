#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ncp/wire/Bytes.h"
#include "ncp/wire/Packet.h"
#include "nwsim/Scenario.h"
#include "nwsim/face/WireServer.h"
#include "nwsim/face/WireSession.h"

namespace nwsim::test {

// Bytes written by hand: hex digits in pairs ("0001"), 'ASCII text', "..": any byte, "XX*N": N of them.
// Spaces separate nothing but make the layout readable.
struct Pattern
{
    std::vector<int> bytes;
    explicit Pattern(std::string_view text);
    ncp::Bytes Exact() const;
    bool Matches(ncp::ByteView data) const;
};

std::string Hex(ncp::ByteView data);
Scenario ParseScenario(const std::string &text);

// One TCP connection to a server of the face, driven by hand at the time the test sets.
class WireClient
{
public:
    WireClient(WireServer &server, const std::uint64_t &now);

    // The packet in a request frame, fed as a socket would: no more than the session wants at a time.
    void Send(ncp::ByteView packet);
    // The bytes the session sends at the current time.
    ncp::Bytes Due();
    // 0x1111, and the connection number of the reply (0: no reply).
    std::uint16_t Create();
    // A service request of this connection with the next sequence number: function onward, by hand. The
    // reply that goes at once, checked for its frame and its copied header; none: silence.
    std::optional<ncp::Reply> Call(std::string_view body);
    // A keyed login as a client does it; the completion code.
    std::uint8_t Login(const std::string &user, const std::string &password);

    WireSession &Session() { return m_session; }
    std::uint16_t Number() const { return m_number; }
    std::uint8_t Sequence() const { return m_sequence; }

private:
    WireSession m_session;
    const std::uint64_t &m_now;
    std::uint16_t m_number = 0;
    std::uint8_t m_sequence = 0;
};

} // namespace nwsim::test
