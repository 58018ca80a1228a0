#include "nwsim/face/FaceLoop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace nwsim {

namespace {

constexpr int kBacklog = 16;
constexpr std::size_t kReadChunk = 4096;

FaceLoop::Clock steadyClock()
{
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::uint64_t(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                .count());
    };
}

std::runtime_error socketError(const std::string &what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

// The address as a client dials it; a listener on every address is reached on loopback.
std::string dialled(const ListenAddress &address, std::uint16_t port)
{
    if (address.ipv6) {
        return "[" + (address.host == "::" ? std::string("::1") : address.host) + "]:" + std::to_string(port);
    }
    return (address.host == "0.0.0.0" ? std::string("127.0.0.1") : address.host) + ":" + std::to_string(port);
}

void setOption(int descriptor, int level, int option)
{
    const int on = 1;
    setsockopt(descriptor, level, option, &on, sizeof on);
}

} // namespace

FaceLoop::FaceLoop(const Scenario &scenario, const ListenAddress &address, Clock clock)
    : m_clock(clock ? std::move(clock) : steadyClock()), m_network(scenario, m_clock)
{
    const std::size_t count = scenario.servers.size();
    if (address.port != 0 && address.port + count > 65536) {
        throw std::runtime_error("the servers need ports " + std::to_string(address.port) + " to " +
                                 std::to_string(address.port + count - 1) + ", past 65535");
    }
    for (std::size_t server = 0; server < count; ++server) {
        m_servers.push_back(std::make_unique<WireServer>(m_network, scenario, server));
        listen(server, address, std::uint16_t(address.port == 0 ? 0 : address.port + server));
    }
}

FaceLoop::~FaceLoop() = default;

void FaceLoop::listen(std::size_t server, const ListenAddress &address, std::uint16_t port)
{
    const std::string where = dialled(address, port);
    Socket socket(::socket(address.ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) {
        throw socketError("cannot open a socket for " + where);
    }
    setOption(socket.Descriptor(), SOL_SOCKET, SO_REUSEADDR);
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.ipv6) {
        setOption(socket.Descriptor(), IPPROTO_IPV6, IPV6_V6ONLY);
        auto &v6 = reinterpret_cast<sockaddr_in6 &>(storage);
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        inet_pton(AF_INET6, address.host.c_str(), &v6.sin6_addr);
        length = sizeof v6;
    } else {
        auto &v4 = reinterpret_cast<sockaddr_in &>(storage);
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        inet_pton(AF_INET, address.host.c_str(), &v4.sin_addr);
        length = sizeof v4;
    }
    auto *generic = reinterpret_cast<sockaddr *>(&storage);
    if (::bind(socket.Descriptor(), generic, length) != 0 || ::listen(socket.Descriptor(), kBacklog) != 0 ||
        ::getsockname(socket.Descriptor(), generic, &length) != 0) {
        throw socketError("cannot listen on " + where);
    }
    WireAddress wire;
    if (address.ipv6) {
        wire.port = ntohs(reinterpret_cast<sockaddr_in6 &>(storage).sin6_port);
    } else {
        const auto &v4 = reinterpret_cast<sockaddr_in &>(storage);
        wire.port = ntohs(v4.sin_port);
        wire.ipv4.emplace();
        std::memcpy(wire.ipv4->data(), &v4.sin_addr, wire.ipv4->size());
    }
    m_servers[server]->SetAddress(wire);
    m_listeners.push_back({m_servers[server]->Name(), dialled(address, wire.port)});
    m_sockets.push_back(std::move(socket));
}

void FaceLoop::Step(int timeout, const sigset_t *waitMask)
{
    std::vector<pollfd> polled;
    for (const Socket &socket : m_sockets) {
        polled.push_back({socket.Descriptor(), POLLIN, 0});
    }
    for (const auto &link : m_links) {
        const bool reading = link->unsent.empty() && link->session->Wanted() > 0;
        const short events = short((reading ? POLLIN : 0) | (link->unsent.empty() ? 0 : POLLOUT));
        polled.push_back({link->socket.Descriptor(), events, 0});
    }
    const int wait = waitTime(timeout);
    const timespec waitFor{wait / 1000, long(wait % 1000) * 1'000'000};
    if (::ppoll(polled.data(), polled.size(), wait < 0 ? nullptr : &waitFor, waitMask) < 0) {
        return;
    }
    const std::uint64_t now = m_clock();
    const std::size_t listeners = m_sockets.size();
    const std::size_t links = m_links.size();
    for (std::size_t i = 0; i < links; ++i) {
        serve(*m_links[i], polled[listeners + i].revents, now);
    }
    std::erase_if(m_links, [](const auto &link) { return link->closed; });
    for (std::size_t server = 0; server < listeners; ++server) {
        if ((polled[server].revents & POLLIN) != 0) {
            accept(server);
        }
    }
}

int FaceLoop::waitTime(int timeout) const
{
    const std::uint64_t now = m_clock();
    std::int64_t wait = timeout;
    for (const auto &link : m_links) {
        if (const auto due = link->session->Due(); due && link->unsent.empty()) {
            const auto until = std::int64_t(*due > now ? std::min<std::uint64_t>(*due - now, INT32_MAX) : 0);
            wait = wait < 0 ? until : std::min(wait, until);
        }
    }
    return int(wait);
}

void FaceLoop::accept(std::size_t server)
{
    Socket socket(::accept4(m_sockets[server].Descriptor(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    const auto open =
        std::ranges::count_if(m_links, [&](const auto &link) { return link->server == server; });
    if (!socket.Valid() || std::size_t(open) >= kMaxConnections) {
        return;
    }
    // A trickled reply goes a byte to a segment.
    setOption(socket.Descriptor(), IPPROTO_TCP, TCP_NODELAY);
    m_links.push_back(std::make_unique<Link>(
        Link{std::move(socket), server, std::make_unique<WireSession>(*m_servers[server]), {}}));
}

void FaceLoop::serve(Link &link, short events, std::uint64_t now)
{
    // A peer that is gone hears no more replies.
    if ((events & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        link.closed = true;
        return;
    }
    if ((events & POLLIN) != 0) {
        receive(link, now);
    }
    flush(link, now);
    if (link.session->Closing() && link.unsent.empty()) {
        link.closed = true;
    }
}

void FaceLoop::receive(Link &link, std::uint64_t now)
{
    std::uint8_t buffer[kReadChunk];
    const std::size_t wanted = std::min(link.session->Wanted(), sizeof buffer);
    if (wanted == 0) {
        return;
    }
    const ssize_t received = ::recv(link.socket.Descriptor(), buffer, wanted, 0);
    if (received > 0) {
        link.session->Receive(ncp::ByteView(buffer, std::size_t(received)), now);
    } else if (received == 0 || (errno != EAGAIN && errno != EINTR)) {
        link.closed = true;
    }
}

void FaceLoop::flush(Link &link, std::uint64_t now)
{
    while (!link.closed) {
        if (link.unsent.empty()) {
            const std::optional<std::uint64_t> due = link.session->Due();
            if (!due || *due > now) {
                return;
            }
            link.unsent = link.session->Take(now);
            if (link.unsent.empty()) {
                return;
            }
        }
        const ssize_t sent =
            ::send(link.socket.Descriptor(), link.unsent.data(), link.unsent.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            link.closed = errno != EAGAIN && errno != EINTR;
            return;
        }
        link.unsent.erase(link.unsent.begin(), link.unsent.begin() + sent);
    }
}

} // namespace nwsim
