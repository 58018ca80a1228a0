#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ncp {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Reads fields from bytes that came off the wire. Every read is bounded: a read past the end sets Failed()
// and gives zeros, so a short packet can be parsed to its end and rejected once.
class ByteReader
{
public:
    explicit ByteReader(ByteView bytes) : m_bytes(bytes) {}

    std::uint8_t U8();
    std::uint16_t BigEndian16();
    std::uint32_t BigEndian32();
    std::uint32_t LittleEndian32();
    // The next count bytes, or an empty view when fewer are left.
    ByteView Take(std::size_t count);
    void Skip(std::size_t count) { Take(count); }
    // A fixed field of width bytes holding text padded with NUL; the text ends at the first NUL.
    std::string PaddedText(std::size_t width);
    // A length byte and that many bytes.
    std::string LengthPrefixedText();

    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    bool Failed() const { return m_failed; }

private:
    ByteView m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};

// Appends fields to a packet being built.
class ByteWriter
{
public:
    ByteWriter &U8(std::uint8_t value);
    ByteWriter &BigEndian16(std::uint16_t value);
    ByteWriter &BigEndian32(std::uint32_t value);
    ByteWriter &LittleEndian16(std::uint16_t value);
    ByteWriter &LittleEndian32(std::uint32_t value);
    ByteWriter &Append(ByteView bytes);
    // The text in a field of width bytes, cut to fit and padded with NUL.
    ByteWriter &PaddedText(std::string_view text, std::size_t width);
    // A length byte and the text, cut to 255 bytes.
    ByteWriter &LengthPrefixedText(std::string_view text);
    ByteWriter &Zeros(std::size_t count);

    const Bytes &Data() const { return m_bytes; }
    Bytes Take() { return std::move(m_bytes); }

private:
    Bytes m_bytes;
};

} // namespace ncp
