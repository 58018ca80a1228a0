#pragma once

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ncp/wire/Bytes.h"
#include "nwsim/Network.h"
#include "nwsim/face/FaceOptions.h"
#include "nwsim/face/Socket.h"
#include "nwsim/face/WireServer.h"
#include "nwsim/face/WireSession.h"

namespace nwsim {

// The face's sockets: a listener for each server of the scenario and the connections made to them, all
// served by one poll loop on one thread. Everything it reads is bounded: the frames, and the connections to a
// server (further ones are closed as soon as they are accepted).
class FaceLoop
{
public:
    // Milliseconds since the face started; the network keeps the same time.
    using Clock = Network::Clock;

    struct Listener
    {
        std::string server;
        // As a client dials it: "127.0.0.1:5524", "[::1]:5524".
        std::string address;
    };

    static constexpr std::size_t kMaxConnections = 64;

    // Server i of the scenario listens on port + i, or each on a port of its own when port is 0. Throws
    // std::runtime_error when a port cannot be had.
    FaceLoop(const Scenario &scenario, const ListenAddress &address, Clock clock = {});
    ~FaceLoop();

    const std::vector<Listener> &Listeners() const { return m_listeners; }
    // Waits up to timeout milliseconds (-1: as long as it takes) for the sockets or the next reply due,
    // then does all that is due. waitMask: the signal mask while waiting, so that a signal blocked
    // otherwise ends the wait.
    void Step(int timeout, const sigset_t *waitMask = nullptr);

private:
    struct Link
    {
        Socket socket;
        std::size_t server;
        std::unique_ptr<WireSession> session;
        ncp::Bytes unsent;
        bool closed = false;
    };

    void listen(std::size_t server, const ListenAddress &address, std::uint16_t port);
    int waitTime(int timeout) const;
    void accept(std::size_t server);
    void serve(Link &link, short events, std::uint64_t now);
    void receive(Link &link, std::uint64_t now);
    void flush(Link &link, std::uint64_t now);

    Clock m_clock;
    Network m_network;
    std::vector<std::unique_ptr<WireServer>> m_servers;
    std::vector<Socket> m_sockets;
    std::vector<Listener> m_listeners;
    std::vector<std::unique_ptr<Link>> m_links;
};

} // namespace nwsim
