#pragma once

#include <cstddef>
#include <cstdint>

#include "ncp/wire/Bytes.h"

namespace ncp {

// Cuts a TCP byte stream into NCP frames of one direction. The header is checked as soon as it is whole,
// so a frame of a foreign signature, or one claiming to be shorter than a packet header or longer than the
// reader accepts, is refused before its body is waited for.
class FrameReader
{
public:
    enum class Direction
    {
        Requests,
        Replies,
    };
    enum class Result
    {
        NeedMore,
        Frame,
        Malformed,
    };

    // maxPacket: the longest packet (the frame without its TCP header) accepted.
    FrameReader(Direction direction, std::size_t maxPacket);

    void Append(ByteView received);
    // Frame: frame holds the next whole frame, and it is consumed; its packet follows the first HeaderSize()
    // bytes. Malformed stays so: the stream cannot be resynchronised.
    Result Next(Bytes &frame);
    // How many more bytes the frame being received needs; a reader that asks for no more than this never
    // reads into the next frame.
    std::size_t Missing() const;
    void Clear();
    std::size_t HeaderSize() const;

private:
    // The whole frame's length from a complete header; 0 when the header is not acceptable.
    std::size_t frameLength() const;

    Direction m_direction;
    std::size_t m_maxPacket;
    Bytes m_buffer;
    bool m_malformed = false;
};

} // namespace ncp
