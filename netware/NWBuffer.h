#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <QString>
#include <QtEndian>

// A zeroed buffer of fixed size that the client fills. Everything read back stays inside the buffer, so a
// client that leaves a text unterminated or writes a record short cannot make the layer read past it.
template <std::size_t N> class TNWBuffer
{
public:
    // A NUL-terminated copy of text, cut to fit.
    static TNWBuffer FromText(const QString &text);

    uint8_t *Bytes() { return m_data.data(); }
    char *Chars() { return reinterpret_cast<char *>(m_data.data()); }
    const char *Chars() const { return reinterpret_cast<const char *>(m_data.data()); }

    uint8_t Byte(std::size_t offset) const { return offset < N ? m_data[offset] : 0; }
    uint32_t UInt32(std::size_t offset) const;
    // The text at offset, ending at its NUL or at the end of the buffer, whichever comes first.
    QString Text(std::size_t offset = 0) const;

private:
    std::array<uint8_t, N> m_data{};
};

template <std::size_t N> TNWBuffer<N> TNWBuffer<N>::FromText(const QString &text)
{
    TNWBuffer buffer;
    const QByteArray bytes = text.toLatin1();
    std::memcpy(buffer.m_data.data(), bytes.constData(), std::min<std::size_t>(bytes.size(), N - 1));
    return buffer;
}

template <std::size_t N> uint32_t TNWBuffer<N>::UInt32(std::size_t offset) const
{
    static_assert(N >= sizeof(uint32_t));
    return offset + sizeof(uint32_t) <= N ? qFromLittleEndian<uint32_t>(m_data.data() + offset) : 0;
}

template <std::size_t N> QString TNWBuffer<N>::Text(std::size_t offset) const
{
    if (offset >= N)
        return {};
    const char *start = Chars() + offset;
    return QString::fromLatin1(start, qsizetype(strnlen(start, N - offset)));
}
