#include "ncp/Socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "ncp/Waker.h"

namespace ncp {

namespace {

using AddressList = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

int openNonBlocking(const addrinfo &address)
{
    const int fd =
        ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd >= 0) {
        // Requests are small and each waits for its reply: nothing is gained by holding them back.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd;
}

Socket::Endpoint endpointOf(const sockaddr_storage &address)
{
    if (address.ss_family != AF_INET)
        return {};
    sockaddr_in ipv4{};
    std::memcpy(&ipv4, &address, sizeof ipv4);
    return {ntohl(ipv4.sin_addr.s_addr), ntohs(ipv4.sin_port)};
}

} // namespace

Socket::~Socket()
{
    Close();
}

Socket::Socket(Socket &&other) noexcept : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

Socket &Socket::operator=(Socket &&other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

Socket Socket::Connect(const std::string &host, std::uint16_t port, Clock::time_point deadline,
                       const Waker &waker, std::string &error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const std::string service = std::to_string(port);
    if (const int code = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); code != 0) {
        error = ::gai_strerror(code);
        return {};
    }
    const AddressList addresses(found, &::freeaddrinfo);
    error = "no address";
    for (const addrinfo *address = addresses.get(); address != nullptr; address = address->ai_next) {
        Socket socket(openNonBlocking(*address));
        if (!socket.IsOpen()) {
            error = std::strerror(errno);
            continue;
        }
        if (::connect(socket.m_fd, address->ai_addr, address->ai_addrlen) != 0 && errno != EINPROGRESS) {
            error = std::strerror(errno);
            continue;
        }
        const Status status = socket.wait(POLLOUT, deadline, waker);
        if (status == Status::TimedOut || status == Status::Woken) {
            error = status == Status::Woken ? "stopped" : "no answer";
            return {};
        }
        int failure = 0;
        socklen_t length = sizeof failure;
        if (::getsockopt(socket.m_fd, SOL_SOCKET, SO_ERROR, &failure, &length) == 0 && failure == 0)
            return socket;
        error = std::strerror(failure != 0 ? failure : errno);
    }
    return {};
}

Socket::Status Socket::Send(ByteView bytes, Clock::time_point deadline, const Waker &waker)
{
    while (!bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes = bytes.subspan(std::size_t(sent));
            continue;
        }
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Status::Failed;
        if (const Status status = wait(POLLOUT, deadline, waker); status != Status::Done)
            return status;
    }
    return Status::Done;
}

Socket::Status Socket::Receive(Bytes &received, std::size_t most, Clock::time_point deadline,
                               const Waker &waker)
{
    std::array<std::uint8_t, 4096> buffer{};
    for (;;) {
        const ssize_t count = ::recv(m_fd, buffer.data(), std::min(most, buffer.size()), 0);
        if (count > 0) {
            received.insert(received.end(), buffer.begin(), buffer.begin() + count);
            return Status::Done;
        }
        if (count == 0)
            return Status::Closed;
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Status::Failed;
        if (const Status status = wait(POLLIN, deadline, waker); status != Status::Done)
            return status;
    }
}

Socket::Endpoint Socket::Local() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return {};
    return endpointOf(address);
}

Socket::Endpoint Socket::Peer() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return {};
    return endpointOf(address);
}

void Socket::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

Socket::Status Socket::wait(short events, Clock::time_point deadline, const Waker &waker) const
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return Status::TimedOut;
        std::array<pollfd, 2> watched{{{m_fd, events, 0}, {waker.Descriptor(), POLLIN, 0}}};
        const int ready = ::poll(watched.data(), watched.size(), int(std::min<long long>(left, 60'000)));
        if (ready < 0 && errno != EINTR)
            return Status::Failed;
        if (watched[1].revents != 0)
            return Status::Woken;
        if (watched[0].revents != 0)
            return Status::Done;
    }
}

} // namespace ncp
