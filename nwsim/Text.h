#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Helpers for the C boundary: every text the client hands out goes through CopyBounded, so no caller's
// buffer is ever written past its stated size.
namespace nwsim::text {

// Copies as much of src as fits and always terminates; a size of 0 writes nothing.
void CopyBounded(char *destination, std::size_t size, std::string_view source);
// Reads a caller's NUL-terminated text, never further than limit bytes; null gives the empty text.
std::string ReadBounded(const char *source, std::size_t limit);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string Upper(std::string_view text);
void PutLittleEndian32(std::uint8_t *destination, std::uint32_t value);
std::uint32_t SwapBytes(std::uint32_t value);
std::uint32_t Hash(std::string_view text);

// Out-arguments are optional: a caller that passes null does not want that value.
template <typename T> void PutIfWanted(T *destination, T value)
{
    if (destination != nullptr) {
        *destination = value;
    }
}

} // namespace nwsim::text
