#include "nwsim/Text.h"

#include <algorithm>
#include <cstring>

namespace nwsim::text {

namespace {

// Upper case within the 8-bit character set, as the program folds the names it asks for: a-z, and the
// small letters from a-grave to thorn less the division sign.
unsigned char Fold(unsigned char c)
{
    const bool ascii = c >= 'a' && c <= 'z';
    const bool latin = c >= 0xE0 && c <= 0xFE && c != 0xF7;
    return ascii || latin ? static_cast<unsigned char>(c - 0x20) : c;
}

} // namespace

void CopyBounded(char *destination, std::size_t size, std::string_view source)
{
    if (destination == nullptr || size == 0) {
        return;
    }
    const std::size_t length = std::min(source.size(), size - 1);
    std::memcpy(destination, source.data(), length);
    destination[length] = '\0';
}

std::string ReadBounded(const char *source, std::size_t limit)
{
    if (source == nullptr) {
        return {};
    }
    return std::string(source, strnlen(source, limit));
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return Fold(x) == Fold(y); });
}

std::string Upper(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return char(Fold(c)); });
    return result;
}

void PutLittleEndian32(std::uint8_t *destination, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        destination[i] = std::uint8_t(value >> (8 * i));
    }
}

std::uint32_t SwapBytes(std::uint32_t value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

std::uint32_t Hash(std::string_view text)
{
    std::uint32_t hash = 2166136261u;
    for (const unsigned char c : text) {
        hash = (hash ^ std::uint32_t(Fold(c))) * 16777619u;
    }
    return hash;
}

} // namespace nwsim::text
