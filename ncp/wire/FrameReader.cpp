#include "ncp/wire/FrameReader.h"

#include "ncp/wire/Packet.h"

namespace ncp {

FrameReader::FrameReader(Direction direction, std::size_t maxPacket)
    : m_direction(direction), m_maxPacket(maxPacket)
{}

void FrameReader::Append(ByteView received)
{
    m_buffer.insert(m_buffer.end(), received.begin(), received.end());
}

FrameReader::Result FrameReader::Next(Bytes &frame)
{
    if (m_malformed)
        return Result::Malformed;
    if (m_buffer.size() < HeaderSize())
        return Result::NeedMore;
    const std::size_t length = frameLength();
    if (length == 0) {
        m_malformed = true;
        return Result::Malformed;
    }
    if (m_buffer.size() < length)
        return Result::NeedMore;
    frame.assign(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(length));
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(length));
    return Result::Frame;
}

std::size_t FrameReader::Missing() const
{
    if (m_buffer.size() < HeaderSize())
        return HeaderSize() - m_buffer.size();
    const std::size_t length = frameLength();
    return length > m_buffer.size() ? length - m_buffer.size() : 0;
}

void FrameReader::Clear()
{
    m_buffer.clear();
    m_malformed = false;
}

std::size_t FrameReader::HeaderSize() const
{
    return m_direction == Direction::Requests ? kRequestFrameHeader : kReplyFrameHeader;
}

std::size_t FrameReader::frameLength() const
{
    ByteReader header(m_buffer);
    const std::uint32_t signature = header.BigEndian32();
    const std::size_t length = header.BigEndian32() & kFrameLengthMask;
    const bool requests = m_direction == Direction::Requests;
    const std::size_t shortest = HeaderSize() + (requests ? kRequestHeader : kReplyHeader);
    const bool good = signature == (requests ? kRequestSignature : kReplySignature) && length >= shortest &&
                      length - HeaderSize() <= m_maxPacket;
    return good ? length : 0;
}

} // namespace ncp
