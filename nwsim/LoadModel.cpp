#include "nwsim/LoadModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace nwsim {

namespace {

constexpr double kDay = 86400.0;
constexpr std::uint64_t kBurstSlot = 120;

double smoothStep(double x)
{
    return x * x * (3.0 - 2.0 * x);
}

} // namespace

LoadModel::LoadModel(const LoadProfile &profile, std::uint32_t seed) : m_profile(profile), m_seed(seed)
{}

double LoadModel::Activity(std::uint64_t second) const
{
    // Squaring the background keeps servers idle most of the time, as real ones are.
    const double background = std::pow(noise(second, 37.0, 1), 2.0);
    const double flicker = noise(second, 4.0, 2) - 0.5;
    return std::clamp(0.25 * swell(second) + 0.45 * background + 0.08 * flicker + burst(second), 0.0, 1.0);
}

std::uint32_t LoadModel::Cpu(std::uint64_t second) const
{
    const double level = m_profile.idleCpu + (m_profile.busyCpu - m_profile.idleCpu) * Activity(second);
    const double jitter = 3.0 * (noise(second, 1.5, 3) - 0.5);
    return std::uint32_t(std::lround(std::clamp(level + jitter, 0.0, 100.0)));
}

std::uint32_t LoadModel::Requests(std::uint64_t second) const
{
    const double shape = (0.15 + 1.7 * Activity(second)) * (0.85 + 0.3 * noise(second, 2.0, 4));
    return std::uint32_t(std::lround(m_profile.requestRate * shape));
}

double LoadModel::swell(std::uint64_t second) const
{
    const double phase = unit(0, 5);
    return 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (double(second) / kDay + phase));
}

double LoadModel::burst(std::uint64_t second) const
{
    // A burst may start late in its slot and run on into the next one.
    const std::uint64_t slot = second / kBurstSlot;
    const double current = burstInSlot(slot, second);
    return slot == 0 ? current : std::max(current, burstInSlot(slot - 1, second));
}

double LoadModel::burstInSlot(std::uint64_t slot, std::uint64_t second) const
{
    const double chance = std::min(1.0, m_profile.burstsPerHour * double(kBurstSlot) / 3600.0);
    if (unit(slot, 6) >= chance) {
        return 0.0;
    }
    const double start = double(slot * kBurstSlot) + unit(slot, 7) * 90.0;
    const double length = 8.0 + unit(slot, 8) * 50.0;
    const double position = (double(second) - start) / length;
    if (position < 0.0 || position >= 1.0) {
        return 0.0;
    }
    return (0.5 + 0.5 * unit(slot, 9)) * std::sin(std::numbers::pi * position);
}

double LoadModel::noise(std::uint64_t second, double period, std::uint32_t salt) const
{
    const double position = double(second) / period;
    const double cell = std::floor(position);
    const double a = unit(std::uint64_t(cell), salt);
    const double b = unit(std::uint64_t(cell) + 1, salt);
    return a + (b - a) * smoothStep(position - cell);
}

double LoadModel::unit(std::uint64_t key, std::uint32_t salt) const
{
    // A 64-bit mix: cheap, stateless and well spread, so every (seed, key, salt) has its own value.
    std::uint64_t x = key * 0x9E3779B97F4A7C15ull ^ (std::uint64_t(m_seed) << 32 | salt);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return double(x >> 11) / double(1ull << 53);
}

} // namespace nwsim
