#pragma once

#include <cstddef>
#include <cstdint>

namespace nwsim {

// One of the workstation's connections: the handle and reference the client hands out for it, the
// server it reaches, and the station number the server gave it.
struct Connection
{
    std::uint32_t handle = 0;
    std::uint32_t reference = 0;
    std::size_t server = 0;
    std::uint16_t number = 0;
    std::uint16_t broadcastMode = 0;
};

} // namespace nwsim
