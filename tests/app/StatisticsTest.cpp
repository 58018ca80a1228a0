#include <gtest/gtest.h>

#include "app/Statistics.h"

namespace {

struct CounterCase
{
    std::int32_t previous;
    std::int32_t raw;
    std::int32_t delta;
};

void PrintTo(const CounterCase &c, std::ostream *out)
{
    *out << c.previous << " -> " << c.raw;
}

class NcpDelta : public testing::TestWithParam<CounterCase>
{};

TEST_P(NcpDelta, IsTheCounterDifferenceModulo2To32)
{
    TSamplerStatistics statistics;
    statistics.NcpPrevious = GetParam().previous;
    EXPECT_EQ(statistics.NextNcpDelta(GetParam().raw), GetParam().delta);
    EXPECT_EQ(statistics.NcpPrevious, GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(Counters, NcpDelta,
                         testing::Values(CounterCase{0, 5000, 0}, CounterCase{1000, 1100, 100},
                                         CounterCase{std::int32_t(0xFFFFFF00u), 0x10, 0x110},
                                         CounterCase{1100, 1000, -100}, CounterCase{7, 0, -7},
                                         CounterCase{0x7FFFFFFF, std::int32_t(0x80000000u), 1},
                                         CounterCase{1, std::int32_t(0x80000001u), std::int32_t(0x80000000u)}));

} // namespace

TEST(TSamplerStatistics, NcpLevelIsThePeakShareTruncatedAndKeptWithoutAPositiveSample)
{
    TSamplerStatistics statistics;
    statistics.NcpPrevious = 1000;
    const auto sample = [&statistics](std::int32_t raw) {
        statistics.Ncp.Add(statistics.NextNcpDelta(raw));
        return statistics.NcpLevel();
    };
    EXPECT_EQ(sample(1300), 100);
    EXPECT_EQ(sample(1400), 33);
    EXPECT_EQ(sample(1300), -1);
    EXPECT_EQ(statistics.Ncp.Peak, 300);
}

TEST(TSamplerStatistics, NcpLevelIsTheExactPercentageTruncated)
{
    struct Share
    {
        std::int32_t delta, peak, level;
    };
    for (const Share share : {Share{53, 100, 53}, Share{59, 100, 59}, Share{106, 200, 53}, Share{1, 3, 33},
                              Share{2, 3, 66}, Share{INT32_MAX - 1, INT32_MAX, 99}, Share{INT32_MAX, INT32_MAX, 100}}) {
        TSamplerStatistics statistics;
        statistics.Ncp.Peak = share.peak;
        statistics.NcpDelta = share.delta;
        EXPECT_EQ(statistics.NcpLevel(), share.level) << share.delta << " of " << share.peak;
    }
}

TEST(TTakeStatistics, AveragesTruncateTowardZero)
{
    TTakeStatistics positive;
    EXPECT_TRUE(positive.Add(1));
    EXPECT_TRUE(positive.Add(2));
    EXPECT_EQ(positive.Average(), 1);
    TTakeStatistics negative;
    EXPECT_FALSE(negative.Add(-3));
    EXPECT_FALSE(negative.Add(0));
    EXPECT_EQ(negative.Average(), -1);
    EXPECT_EQ(negative.Peak, 0);
}

TEST(TTakeStatistics, AMonthAtABusyServerKeepsItsAverage)
{
    TTakeStatistics ncp;
    for (int second = 0; second < 31 * 24 * 3600; ++second)
        ncp.Add(second % 2 == 0 ? 90'000 : 110'000);
    EXPECT_GT(ncp.Sum, std::int64_t(1) << 31);
    EXPECT_EQ(ncp.Average(), 100'000);
}
