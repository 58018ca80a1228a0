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
    // Extended precision, then the fraction dropped: 100 of a peak of 300 is 33, not 34.
    return std::int32_t(static_cast<long double>(NcpDelta) / static_cast<long double>(Ncp.Peak) * 100.0L);
}

TSamplerStatistics &SamplerStatistics()
{
    return TProcessState<TSamplerStatistics>::Instance();
}
