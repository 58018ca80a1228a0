#include "nwsim/face/FaceOptions.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <charconv>
#include <stdexcept>

namespace nwsim {

namespace {

constexpr std::uint8_t kLoopbackNet = 127;

std::uint16_t parsePort(std::string_view text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 65535) {
        throw std::invalid_argument("the port must be a number from 0 to 65535");
    }
    return std::uint16_t(value);
}

} // namespace

const char *const FaceOptions::kUsage =
    "usage: nwsim-ncpd [--scenario FILE] --listen ADDRESS:PORT [--servers-file FILE] [--any-address]\n"
    "\n"
    "Answers NCP over TCP for every server of a simulated network: server i of the scenario listens on\n"
    "PORT + i, or each on a port of its own when PORT is 0. Without --scenario the built-in network runs.\n"
    "\n"
    "  --scenario FILE      the network, in the simulated client's scenario language\n"
    "  --listen ADDR:PORT   a numeric address, e.g. 127.0.0.1:5524 or [::1]:0\n"
    "  --servers-file FILE  once every server listens, write a servers file naming them (mode 0600)\n"
    "  --any-address        allow an address outside the loopback network\n"
    "  --help               print this\n"
    "\n"
    "It runs until SIGTERM or SIGINT.\n";

FaceOptions FaceOptions::Parse(const std::vector<std::string> &arguments)
{
    FaceOptions options;
    bool listening = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 == arguments.size()) {
                throw std::invalid_argument(argument + " needs a value");
            }
            return arguments[++i];
        };
        if (argument == "--help") {
            options.help = true;
        } else if (argument == "--any-address") {
            options.anyAddress = true;
        } else if (argument == "--scenario") {
            options.scenario = value();
        } else if (argument == "--servers-file") {
            options.serversFile = value();
        } else if (argument == "--listen") {
            options.listen = ParseAddress(value());
            listening = true;
        } else {
            throw std::invalid_argument("unknown argument '" + argument + "'");
        }
    }
    if (options.help) {
        return options;
    }
    if (!listening) {
        throw std::invalid_argument("--listen is missing");
    }
    if (!options.anyAddress && !Loopback(options.listen)) {
        throw std::invalid_argument(options.listen.host +
                                    " is not a loopback address; --any-address lets the face listen there");
    }
    return options;
}

ListenAddress FaceOptions::ParseAddress(const std::string &text)
{
    ListenAddress address;
    std::string_view rest = text;
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || rest.substr(close + 1, 1) != ":") {
            throw std::invalid_argument("write an IPv6 address as [ADDRESS]:PORT");
        }
        address.host = std::string(rest.substr(1, close - 1));
        address.ipv6 = true;
        rest.remove_prefix(close + 2);
    } else {
        const auto colon = rest.find(':');
        if (colon == std::string_view::npos) {
            throw std::invalid_argument("the address needs a port: ADDRESS:PORT");
        }
        address.host = std::string(rest.substr(0, colon));
        rest.remove_prefix(colon + 1);
    }
    if (!address.ipv6 && address.host == "localhost") {
        address.host = "127.0.0.1";
    }
    unsigned char bytes[sizeof(in6_addr)];
    if (inet_pton(address.ipv6 ? AF_INET6 : AF_INET, address.host.c_str(), bytes) != 1) {
        throw std::invalid_argument("'" + address.host + "' is not a numeric IPv4 or IPv6 address");
    }
    address.port = parsePort(rest);
    return address;
}

bool FaceOptions::Loopback(const ListenAddress &address)
{
    if (address.ipv6) {
        in6_addr bytes{};
        return inet_pton(AF_INET6, address.host.c_str(), &bytes) == 1 && IN6_IS_ADDR_LOOPBACK(&bytes);
    }
    in_addr bytes{};
    return inet_pton(AF_INET, address.host.c_str(), &bytes) == 1 &&
           (ntohl(bytes.s_addr) >> 24) == kLoopbackNet;
}

} // namespace nwsim
