#include "app/Statistics.h"

#include "runtime/ProcessState.h"

bool TTakeStatistics::Add(std::int32_t sample)
{
    Sum += sample;
    ++Count;
    if (sample <= Peak)
        return false;
    Peak = sample;
    return true;
}

std::int32_t TTakeStatistics::Average() const
{
    return Count == 0 ? 0 : std::int32_t(Sum / Count);
}

std::int32_t TSamplerStatistics::NextNcpDelta(std::int32_t rawCounter)
{
    NcpDelta = NcpPrevious == 0 ? 0 : std::int32_t(std::uint32_t(rawCounter) - std::uint32_t(NcpPrevious));
    NcpPrevious = rawCounter;
    return NcpDelta;
}

std::int32_t TSamplerStatistics::NcpLevel() const
{
    if (NcpDelta <= 0 || Ncp.Peak <= 0)
        return -1;
    // In integers, then the fraction dropped: 100 of a peak of 300 is 33, not 34. Floating point showed 53 of
    // 100 as 52, its quotient falling just short of 0.53.
    return std::int32_t(std::int64_t(NcpDelta) * 100 / Ncp.Peak);
}

TSamplerStatistics &SamplerStatistics()
{
    return TProcessState<TSamplerStatistics>::Instance();
}
