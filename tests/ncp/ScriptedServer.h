#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "ncp/Waker.h"
#include "ncp/wire/Packet.h"

// A server on loopback for the client's tests: it takes one connection at a time and answers each request
// frame as the test's script says, bytes that a real server would never send included.
class ScriptedServer
{
public:
    struct Answer
    {
        // Sent as they are; nothing at all leaves the request unanswered.
        ncp::Bytes bytes;
        // One byte to a TCP segment.
        bool trickle = false;
        // The connection is closed after the bytes.
        bool close = false;
    };
    // connection counts the connections accepted so far, from 1.
    using Script = std::function<Answer(const ncp::Request &request, int connection)>;

    explicit ScriptedServer(Script script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer &) = delete;
    ScriptedServer &operator=(const ScriptedServer &) = delete;

    std::uint16_t Port() const { return m_port; }
    int Connections() const { return m_connections; }

    // A well-behaved server named name, with the user SUPERVISOR of the given password; what over
    // answers (its bytes, or nothing) goes in place of the usual answer of that request.
    static Script Standard(const std::string &name, const std::string &password = {},
                           std::function<std::optional<Answer>(const ncp::Request &, int)> over = {});
    static Answer ReplyTo(const ncp::Request &request, std::uint8_t completion = 0, ncp::Bytes data = {});
    // The 142 bytes of a statistics reply with these counters.
    static ncp::Bytes Statistics(std::uint32_t cpu, std::uint32_t requests);

private:
    void run();
    void serve(int fd);

    Script m_script;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<int> m_connections = 0;
    ncp::Waker m_stop;
    std::thread m_thread;
};
