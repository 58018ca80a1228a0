#pragma once

#include <cstdint>

#include "nwsim/ServerSetup.h"

namespace nwsim {

// A server's load as a pure function of its seed and the second since the client started: the same
// second always gives the same figures, neighbouring seconds give neighbouring figures. Activity mixes a
// slow daily swell, drifting background noise and occasional bursts that rise and fall smoothly.
class LoadModel
{
public:
    LoadModel(const LoadProfile &profile, std::uint32_t seed);

    // 0..1, how busy the server is during that second.
    double Activity(std::uint64_t second) const;
    // CPU utilisation in percent, 0..100.
    std::uint32_t Cpu(std::uint64_t second) const;
    // NCP requests handled during that second.
    std::uint32_t Requests(std::uint64_t second) const;

private:
    double swell(std::uint64_t second) const;
    double burst(std::uint64_t second) const;
    double burstInSlot(std::uint64_t slot, std::uint64_t second) const;
    double noise(std::uint64_t second, double period, std::uint32_t salt) const;
    double unit(std::uint64_t key, std::uint32_t salt) const;

    LoadProfile m_profile;
    std::uint32_t m_seed;
};

} // namespace nwsim
