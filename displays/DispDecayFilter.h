#pragma once

#include <array>
#include <cstdint>

#include "runtime/TestPeer.h"

// The level meter's decay filters over amplitudes: a step-up hold that sinks by a factor each update, an
// exponential follower, and a moving average over a ring of the last R inputs. Factor and ring length come
// from the strength (1 to 16); factor and state are single precision, as the meter's scale expects.
class TDispDecayFilter
{
public:
    static constexpr int kRingSize = 32;

    void SetDecay(int decay);
    // Forgets every input; factor and ring length stay.
    void Clear();

    // Each filters one amplitude and advances the ring first.
    int StepUp(int amplitude);
    int Exponential(int amplitude);
    int Uniform(int amplitude);

private:
    friend struct TTestPeer<TDispDecayFilter>;

    void Advance();

    float m_factor = 0.0001f;
    int m_ringLength = 1;
    std::array<int, kRingSize> m_ring{};
    int m_index = 0;
    int m_fill = 0;
    int64_t m_sum = 0;
    float m_state = 0.0f;
};
