#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The C side of the client: every text handed out is cut to the caller's buffer, every text taken in is
// read no further than a limit, and every out-argument may be null.
namespace ncp::boundary {

// Copies as much of source as fits and always terminates; a size of 0 writes nothing.
void CopyText(char *destination, std::size_t size, std::string_view source);
std::string ReadText(const char *source, std::size_t limit);
// Server names compare without case, Latin-1 letters included.
bool SameName(std::string_view a, std::string_view b);

template <typename T> void Put(T *destination, T value)
{
    if (destination != nullptr)
        *destination = value;
}

} // namespace ncp::boundary
