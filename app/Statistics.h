#pragma once

#include <cstdint>

// The running statistics of one take. A month of samples at a busy server passes 2^31 long before the
// count does, so the sum is kept in 64 bits; the average of 32-bit samples always fits in 32 bits.
struct TTakeStatistics
{
    std::int64_t Sum = 0;
    std::int64_t Count = 0;
    std::int32_t Peak = 0;

    // Counts the sample; true when it raised the peak.
    bool Add(std::int32_t sample);
    // Sum div Count, truncated toward zero; 0 before the first sample.
    std::int32_t Average() const;
};

// The sampler's statistics: they belong to the process, not to a server or a page, and are never reset
// while it runs.
struct TSamplerStatistics
{
    TTakeStatistics Cpu;
    TTakeStatistics Ncp;
    // Raw request counter of the previous successful sample; 0 means there is none.
    std::int32_t NcpPrevious = 0;
    std::int32_t NcpDelta = 0;

    // Takes the raw counter of a new sample and returns the requests since the previous one. The counter
    // is cumulative and wraps, so the difference is taken modulo 2^32.
    std::int32_t NextNcpDelta(std::int32_t rawCounter);
    // The NCP level meter's value: the sample as a percentage of the peak, truncated; -1 when the meter
    // keeps its value (no positive sample or peak).
    std::int32_t NcpLevel() const;
};

TSamplerStatistics &SamplerStatistics();
