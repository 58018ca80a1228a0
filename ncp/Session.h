#pragma once

#include <cstdint>

#include "ncp/Socket.h"
#include "ncp/Trace.h"
#include "ncp/wire/FrameReader.h"
#include "ncp/wire/Packet.h"

namespace ncp {

class Waker;

// One NCP connection over its TCP socket: created, then one request at a time with its reply, then
// destroyed. Nothing a server sends is believed before it is checked: a frame that cannot be read, or a
// reply of another sequence or connection, breaks the session, never the program.
class Session
{
public:
    struct Outcome
    {
        // 0, the server's completion code as 0x89xx, or a code of this side (0x88xx).
        std::uint32_t code = 0;
        Bytes data;
        // The session can no longer be used.
        bool broken = false;
    };

    // trace may be null.
    Session(Socket socket, const Waker &waker, Trace *trace);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // patience: how long the server may stay silent; each "still working" from it starts the wait again.
    Outcome Create(Clock::duration patience);
    Outcome Exchange(Request request, Clock::duration patience);
    // Tells the server the connection ends and closes the socket; a broken session only closes.
    void Destroy(Clock::duration patience);

    std::uint16_t Number() const { return m_number; }
    bool Broken() const { return m_broken; }

private:
    Outcome send(Request request, Clock::duration patience);
    Outcome await(const Request &request, Clock::duration patience);
    // The next frame's packet; an empty outcome code means one arrived.
    Outcome receive(Bytes &packet, Clock::time_point deadline);
    Outcome broken(std::uint32_t code);

    Socket m_socket;
    const Waker &m_waker;
    Trace *m_trace;
    Trace::Stream m_stream;
    FrameReader m_reader;
    std::uint8_t m_sequence = 0;
    std::uint16_t m_number = 0xFFFF;
    bool m_broken = false;
};

} // namespace ncp
