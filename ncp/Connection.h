#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ncp/Codes.h"
#include "ncp/ServersFile.h"
#include "ncp/Socket.h"
#include "ncp/Waker.h"
#include "ncp/wire/Packet.h"

namespace ncp {

class Session;
class Trace;

// The client's connection to one server of the servers file. A thread of its own connects, negotiates,
// learns the server's name, logs in, carries requests, and when the connection drops makes it again after
// a pause that grows with each failure, so no caller ever waits on the network longer than it chose to.
class Connection
{
public:
    struct Status
    {
        bool up = false;
        // The server's own name, kept once learnt; empty until the server first answered.
        std::string name;
        // The number the server gave this connection.
        std::uint16_t number = 0;
        // What a call gets while the connection is down; before the first attempt ends, no connection yet.
        std::uint32_t downCode = codes::kNoConnection;
    };
    struct Result
    {
        std::uint32_t code = 0;
        Bytes data;
    };

    // trace may be null. The thread starts at once.
    Connection(ServerEntry entry, Trace *trace);
    // Stops the thread and waits for it.
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // One request and its reply, or a failure code at the deadline. While a request of an earlier caller is
    // still out (only one may be), this one waits for it, up to the same deadline.
    Result Call(Request request, Clock::time_point deadline);
    Status Current() const;
    // Until the connection is up or its first attempt has failed, at most until the deadline.
    void WaitSettled(Clock::time_point deadline) const;
    // Asks the thread to log out, say goodbye and end; returns at once.
    void Stop();
    // Whether the thread ended by the deadline.
    bool WaitStopped(Clock::time_point deadline) const;
    // host:port, for messages.
    std::string Where() const;

private:
    struct Job
    {
        Request request;
        bool taken = false;
        bool done = false;
        Result result;
    };

    void run();
    // One connection, from connecting to its end; whether it came up.
    bool attempt();
    std::uint32_t open(Session &session);
    std::uint32_t negotiate(Session &session);
    std::uint32_t identify(Session &session);
    std::uint32_t logIn(Session &session);
    // Carries callers' requests until the session breaks or the connection stops; returns why it ended.
    std::uint32_t serve(Session &session);
    void goodbye(Session &session);
    void markUp(std::uint16_t number);
    void markDown(std::uint32_t code, const std::string &why);
    // Waits out the pause before the next attempt; false when stopping.
    bool pause(Clock::duration length);
    bool stopping() const;

    ServerEntry m_entry;
    Trace *m_trace;
    Waker m_waker;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Status m_status;
    std::string m_learntName;
    bool m_settled = false;
    bool m_stopping = false;
    bool m_finished = false;
    bool m_loggedIn = false;
    // A login the server refused is not tried again: the password will not have changed, and repeated
    // failures lock the account.
    bool m_loginRefused = false;
    std::uint32_t m_loggedCode = 0;
    std::shared_ptr<Job> m_job;
    std::thread m_thread;
};

} // namespace ncp
