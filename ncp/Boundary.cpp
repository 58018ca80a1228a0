#include "ncp/Boundary.h"

#include <algorithm>
#include <cstring>

namespace ncp::boundary {

namespace {

unsigned char fold(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    // Latin-1's small letters lie 0x20 above their capitals, but for the division sign and y-diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    return c;
}

} // namespace

void CopyText(char *destination, std::size_t size, std::string_view source)
{
    if (destination == nullptr || size == 0)
        return;
    const std::size_t length = std::min(source.size(), size - 1);
    std::memcpy(destination, source.data(), length);
    destination[length] = '\0';
}

std::string ReadText(const char *source, std::size_t limit)
{
    if (source == nullptr)
        return {};
    return std::string(source, ::strnlen(source, limit));
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return fold(static_cast<unsigned char>(x)) == fold(static_cast<unsigned char>(y));
    });
}

} // namespace ncp::boundary
