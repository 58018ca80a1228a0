#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "ncp/wire/Bytes.h"
#include "ncp/wire/FrameReader.h"
#include "nwsim/face/Delivery.h"
#include "nwsim/face/Station.h"
#include "nwsim/face/WireServer.h"

namespace nwsim {

// One TCP connection to a server of the face: request frames cut from its byte stream, each answered by the
// server in turn, and the reply on its way. Only one reply is on its way at a time; the next request waits
// in the stream until it has gone, as a client sends the next only after the reply.
class WireSession
{
public:
    explicit WireSession(WireServer &server);
    ~WireSession();
    WireSession(const WireSession &) = delete;
    WireSession &operator=(const WireSession &) = delete;

    // How many bytes the session takes now: the rest of the frame being received; none while a reply is on
    // its way or once the connection is to close.
    std::size_t Wanted() const;
    void Receive(ncp::ByteView bytes, std::uint64_t now);
    // When the next reply bytes are due; none while nothing is on its way.
    std::optional<std::uint64_t> Due() const;
    ncp::Bytes Take(std::uint64_t now);
    // The stream is no NCP, or a fault drops the connection: it closes, and takes nothing more.
    bool Closing() const { return m_closing; }

private:
    void handleFrames(std::uint64_t now);
    void handle(ncp::ByteView packet, std::uint64_t now);

    WireServer &m_server;
    Station m_station;
    ncp::FrameReader m_reader;
    std::optional<Delivery> m_delivery;
    bool m_closing = false;
};

} // namespace nwsim
