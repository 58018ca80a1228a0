#include "displays/DispDecayFilter.h"

#include <algorithm>
#include <cmath>

// The factor starts tiny and each step of strength takes its square root, so strength 1 gives 0.01 and
// every further step moves it towards 1 (slower decay).
void TDispDecayFilter::SetDecay(int decay)
{
    float factor = 0.0001f;
    for (int i = 0; i < decay; ++i)
        factor = std::sqrt(factor);
    m_factor = factor;
    m_ringLength = std::clamp(2 * decay - 2, 1, kRingSize);
}

void TDispDecayFilter::Clear()
{
    m_ring.fill(0);
    m_index = 0;
    m_fill = 0;
    m_sum = 0;
    m_state = 0.0f;
}

int TDispDecayFilter::StepUp(int amplitude)
{
    Advance();
    m_state *= m_factor;
    if (float(amplitude) > m_state)
        m_state = float(amplitude);
    else
        amplitude = int(std::trunc(m_state));
    return amplitude;
}

int TDispDecayFilter::Exponential(int amplitude)
{
    Advance();
    m_state = float(double(m_state) * m_factor + (1.0 - m_factor) * amplitude);
    return int(std::floor(m_state));
}

int TDispDecayFilter::Uniform(int amplitude)
{
    Advance();
    m_sum += amplitude - m_ring[m_index];
    m_ring[m_index] = amplitude;
    return int(m_sum / m_fill);
}

// A ring that was shortened while its index stood further on wraps at once instead of running past it.
void TDispDecayFilter::Advance()
{
    if (++m_index >= m_ringLength)
        m_index = 0;
    m_fill = std::min(m_fill + 1, m_ringLength);
}
