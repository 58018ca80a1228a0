#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "ncp/wire/Bytes.h"

namespace ncp {

class Waker;

using Clock = std::chrono::steady_clock;

// A TCP socket whose every wait ends at a deadline or when a waker fires, whichever comes first, so the
// thread using it can always be stopped.
class Socket
{
public:
    enum class Status
    {
        Done,
        Closed,
        TimedOut,
        Woken,
        Failed,
    };
    // An IPv4 address and port in host order; address 0 for any other family.
    struct Endpoint
    {
        std::uint32_t address = 0;
        std::uint16_t port = 0;
    };

    Socket() = default;
    // Takes over a connected stream socket's descriptor.
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket();
    Socket(Socket &&other) noexcept;
    Socket &operator=(Socket &&other) noexcept;
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;

    // The first address of the host that accepts; a closed socket and the reason when none does.
    static Socket Connect(const std::string &host, std::uint16_t port, Clock::time_point deadline,
                          const Waker &waker, std::string &error);

    bool IsOpen() const { return m_fd >= 0; }
    Status Send(ByteView bytes, Clock::time_point deadline, const Waker &waker);
    // Appends what arrives, at least one byte and at most most bytes, to received.
    Status Receive(Bytes &received, std::size_t most, Clock::time_point deadline, const Waker &waker);
    Endpoint Local() const;
    Endpoint Peer() const;
    void Close();

private:
    Status wait(short events, Clock::time_point deadline, const Waker &waker) const;

    int m_fd = -1;
};

} // namespace ncp
