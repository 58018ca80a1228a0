#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "ncp/Socket.h"
#include "ncp/wire/Bytes.h"

namespace ncp {

// Writes every frame the client sends and receives to a capture file that packet analysers decode as NCP:
// each frame in a TCP segment of its own, under synthetic Ethernet and IPv4 headers, with the server on
// port 524 whatever port it really listens on. The file is private to its owner (it holds login keys).
class Trace
{
public:
    // One TCP conversation as the capture shows it.
    struct Stream
    {
        std::uint32_t client = 0;
        std::uint32_t server = 0;
        std::uint16_t clientPort = 0;
        std::uint32_t clientSequence = 0;
        std::uint32_t serverSequence = 0;
    };

    // Null, with the reason, when the file cannot be written.
    static std::unique_ptr<Trace> Open(const std::string &path, std::string &error);
    ~Trace();
    Trace(const Trace &) = delete;
    Trace &operator=(const Trace &) = delete;

    // A conversation's handshake; addresses that are not IPv4 are replaced by documentation addresses.
    Stream Begin(Socket::Endpoint local, Socket::Endpoint peer);
    void ToServer(Stream &stream, ByteView frame);
    void ToClient(Stream &stream, ByteView frame);
    void End(Stream &stream);

private:
    explicit Trace(std::FILE *file);
    // A segment from the client (or the server) with these TCP flags and payload.
    void segment(Stream &stream, bool fromClient, std::uint8_t flags, ByteView payload);

    std::mutex m_mutex;
    std::FILE *m_file;
};

} // namespace ncp
