#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nwsim {

// An address to listen on: a numeric IPv4 or IPv6 address (without brackets) and the first port.
struct ListenAddress
{
    std::string host;
    std::uint16_t port = 0;
    bool ipv6 = false;
};

// nwsim-ncpd's command line. The face listens on loopback addresses only unless told otherwise: it answers
// anyone who reaches it, logins included.
struct FaceOptions
{
    static const char *const kUsage;

    // Empty: the built-in scenario.
    std::string scenario;
    ListenAddress listen;
    // Empty: none is written.
    std::string serversFile;
    bool anyAddress = false;
    bool help = false;

    // The arguments after the program's name. Throws std::invalid_argument saying what is wrong.
    static FaceOptions Parse(const std::vector<std::string> &arguments);
    // "127.0.0.1:524", "[::1]:0"; "localhost" stands for 127.0.0.1.
    static ListenAddress ParseAddress(const std::string &text);
    static bool Loopback(const ListenAddress &address);
};

} // namespace nwsim
