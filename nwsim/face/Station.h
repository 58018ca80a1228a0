#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "ncp/wire/LoginCrypt.h"
#include "ncp/wire/Messages.h"
#include "ncp/wire/Packet.h"

namespace nwsim {

// Who is logged in on a connection of the face, and since when.
struct WireLogin
{
    ncp::ObjectId id{};
    std::string name;
    // Year since 1900, month, day, hour, minute, second, day of the week.
    std::array<std::uint8_t, 7> time{};
};

// One NCP connection to a server of the face: its number (0 until it is created), the key the next keyed
// login answers, its login, and its last reply, sent again when a request repeats its sequence number.
struct Station
{
    std::uint16_t number = 0;
    std::optional<ncp::login::Key> key;
    std::optional<WireLogin> login;
    // Once the server has demanded signed packets it hears no unsigned one.
    bool signing = false;
    std::optional<ncp::Reply> lastReply;
};

// A server's connections by number.
using StationTable = std::map<std::uint16_t, const Station *>;

} // namespace nwsim
