#include "ncp/wire/Bytes.h"

#include <algorithm>

namespace ncp {

std::uint8_t ByteReader::U8()
{
    const ByteView field = Take(1);
    return field.empty() ? 0 : field[0];
}

std::uint16_t ByteReader::BigEndian16()
{
    const ByteView field = Take(2);
    return field.empty() ? 0 : std::uint16_t(field[0] << 8 | field[1]);
}

std::uint32_t ByteReader::BigEndian32()
{
    const ByteView field = Take(4);
    return field.empty()
               ? 0
               : std::uint32_t(field[0]) << 24 | std::uint32_t(field[1]) << 16 | field[2] << 8 | field[3];
}

std::uint32_t ByteReader::LittleEndian32()
{
    const ByteView field = Take(4);
    return field.empty()
               ? 0
               : std::uint32_t(field[3]) << 24 | std::uint32_t(field[2]) << 16 | field[1] << 8 | field[0];
}

ByteView ByteReader::Take(std::size_t count)
{
    if (m_failed || count > Remaining()) {
        m_failed = true;
        m_position = m_bytes.size();
        return {};
    }
    const ByteView field = m_bytes.subspan(m_position, count);
    m_position += count;
    return field;
}

std::string ByteReader::PaddedText(std::size_t width)
{
    const ByteView field = Take(width);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t(0));
    return std::string(field.begin(), end);
}

std::string ByteReader::LengthPrefixedText()
{
    const std::size_t length = U8();
    const ByteView field = Take(length);
    return std::string(field.begin(), field.end());
}

ByteWriter &ByteWriter::U8(std::uint8_t value)
{
    m_bytes.push_back(value);
    return *this;
}

ByteWriter &ByteWriter::BigEndian16(std::uint16_t value)
{
    return U8(std::uint8_t(value >> 8)).U8(std::uint8_t(value));
}

ByteWriter &ByteWriter::BigEndian32(std::uint32_t value)
{
    return BigEndian16(std::uint16_t(value >> 16)).BigEndian16(std::uint16_t(value));
}

ByteWriter &ByteWriter::LittleEndian16(std::uint16_t value)
{
    return U8(std::uint8_t(value)).U8(std::uint8_t(value >> 8));
}

ByteWriter &ByteWriter::LittleEndian32(std::uint32_t value)
{
    return LittleEndian16(std::uint16_t(value)).LittleEndian16(std::uint16_t(value >> 16));
}

ByteWriter &ByteWriter::Append(ByteView bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter &ByteWriter::PaddedText(std::string_view text, std::size_t width)
{
    const std::size_t kept = std::min(text.size(), width);
    m_bytes.insert(m_bytes.end(), text.begin(), text.begin() + std::ptrdiff_t(kept));
    return Zeros(width - kept);
}

ByteWriter &ByteWriter::LengthPrefixedText(std::string_view text)
{
    const std::size_t kept = std::min<std::size_t>(text.size(), 255);
    U8(std::uint8_t(kept));
    m_bytes.insert(m_bytes.end(), text.begin(), text.begin() + std::ptrdiff_t(kept));
    return *this;
}

ByteWriter &ByteWriter::Zeros(std::size_t count)
{
    m_bytes.insert(m_bytes.end(), count, 0);
    return *this;
}

} // namespace ncp
