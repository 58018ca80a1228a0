#include <vector>

#include <gtest/gtest.h>

#include "displays/DispDecayFilter.h"
#include "displays/DispLevelSpots.h"

namespace {

struct TLayoutCase
{
    const char *name;
    int length, point1, point2;
    int count, offset, p1, p2;
    int firstLeft, lastLeft;
};

void PrintTo(const TLayoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class LevelSpotLayout : public ::testing::TestWithParam<TLayoutCase>
{
};

TEST_P(LevelSpotLayout, CentresTheSpotsAndSplitsTheZones)
{
    const TLayoutCase &c = GetParam();
    TDispLevelSpots spots;
    spots.Recalc(c.length, 3, 2, c.point1, c.point2);
    EXPECT_EQ(spots.Count(), c.count);
    EXPECT_EQ(spots.Offset(), c.offset);
    EXPECT_EQ(spots.Point1(), c.p1);
    EXPECT_EQ(spots.Point2(), c.p2);
    EXPECT_EQ(spots.Spot(1, false, false, c.length, 11), QRect(c.firstLeft, 0, 3, 11));
    EXPECT_EQ(spots.Spot(c.count, false, false, c.length, 11), QRect(c.lastLeft, 0, 3, 11));
    // Reversed and vertical layouts mirror the same positions.
    EXPECT_EQ(spots.Spot(1, false, true, c.length, 11), QRect(c.length - c.firstLeft - 3, 0, 3, 11));
    EXPECT_EQ(spots.Spot(1, true, false, 11, c.length), QRect(0, c.length - c.firstLeft - 3, 11, 3));
    EXPECT_EQ(spots.Spot(1, true, true, 11, c.length), QRect(0, c.firstLeft, 11, 3));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LevelSpotLayout,
                         ::testing::Values(TLayoutCase{"CPU", 257, 50, 85, 51, 2, 25, 43, 2, 252},
                                           TLayoutCase{"NCP", 209, 100, 100, 42, 0, 42, 42, 0, 205},
                                           TLayoutCase{"TooShort", 2, 50, 85, 1, 0, 0, 0, 0, 0}));

TEST(LevelSpotZones, SpotsPastEachPointBelongToTheNextZone)
{
    TDispLevelSpots spots;
    spots.Recalc(257, 3, 2, 50, 85);
    const std::vector<int> zones = {spots.Zone(1), spots.Zone(25), spots.Zone(26), spots.Zone(43),
                                    spots.Zone(44), spots.Zone(51)};
    EXPECT_EQ(zones, std::vector<int>({1, 1, 2, 2, 3, 3}));
}

struct TScaleCase
{
    int count;
    bool logAmp;
    std::vector<int> lit;
};

void PrintTo(const TScaleCase &c, std::ostream *os)
{
    *os << c.count << " spots, " << (c.logAmp ? "decibels" : "linear");
}

class LevelScale : public ::testing::TestWithParam<TScaleCase>
{
};

// Percentages 0, 1, 2, 3, 10, 25, 50, 75, 90, 100 at unity gain and -35 dB.
TEST_P(LevelScale, LightsTheTabledSpotsAndReadsBackNearTheInput)
{
    const TScaleCase &c = GetParam();
    TDispLevelSpots spots;
    spots.Recalc(c.count * 5 - 2, 3, 2, 50, 85);
    ASSERT_EQ(spots.Count(), c.count);
    const std::vector<int> percents = {0, 1, 2, 3, 10, 25, 50, 75, 90, 100};
    std::vector<int> lit;
    for (int percent : percents)
        lit.push_back(spots.Lit(TDispLevelSpots::Amplitude(percent), c.logAmp, -35));
    EXPECT_EQ(lit, c.lit);
    EXPECT_EQ(spots.Percent(0, c.logAmp, -35, 8), 0);
    EXPECT_EQ(spots.Percent(c.count, c.logAmp, -35, 8), 100);
    EXPECT_EQ(spots.Percent(c.count, c.logAmp, -35, 16), c.logAmp ? 50 : 100);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, LevelScale,
    ::testing::Values(TScaleCase{51, true, {0, 0, 1, 7, 22, 33, 42, 47, 50, 51}},
                      TScaleCase{42, true, {0, 0, 1, 5, 18, 28, 35, 39, 41, 42}},
                      TScaleCase{51, false, {0, 0, 0, 1, 4, 12, 25, 38, 46, 51}}));

TEST(LevelScale, AmplitudesBeyondFullScaleOverflowTheCount)
{
    TDispLevelSpots spots;
    spots.Recalc(257, 3, 2, 50, 85);
    EXPECT_EQ(TDispLevelSpots::Amplitude(-5), 0);
    EXPECT_EQ(TDispLevelSpots::Amplitude(150), 32767);
    EXPECT_EQ(TDispLevelSpots::Amplitude(50), 16384);
    EXPECT_GT(spots.Lit(2 * 32767, true, -35), 51);
    EXPECT_GT(spots.Lit(2 * 32767, false, -35), 51);
}

struct TFactorCase
{
    int decay;
    float factor;
    int ringLength;
};

void PrintTo(const TFactorCase &c, std::ostream *os)
{
    *os << "decay " << c.decay;
}

class DecayFactor : public ::testing::TestWithParam<TFactorCase>
{
};

TEST_P(DecayFactor, FollowsFromTheStrength)
{
    TDispDecayFilter filter;
    filter.SetDecay(GetParam().decay);
    EXPECT_NEAR(filter.Factor(), GetParam().factor, 0.000005);
    EXPECT_EQ(filter.RingLength(), GetParam().ringLength);
}

INSTANTIATE_TEST_SUITE_P(Table, DecayFactor,
                         ::testing::Values(TFactorCase{1, 0.01f, 1}, TFactorCase{2, 0.1f, 2},
                                           TFactorCase{3, 0.31623f, 4}, TFactorCase{4, 0.56234f, 6},
                                           TFactorCase{8, 0.96466f, 14}, TFactorCase{16, 0.99986f, 30}));

struct TFilterCase
{
    const char *name;
    int (TDispDecayFilter::*filter)(int);
    int decay;
    std::vector<int> inputs;
    std::vector<int> outputs;
};

void PrintTo(const TFilterCase &c, std::ostream *os)
{
    *os << c.name;
}

class DecayFilter : public ::testing::TestWithParam<TFilterCase>
{
};

TEST_P(DecayFilter, ShapesASequence)
{
    const TFilterCase &c = GetParam();
    TDispDecayFilter filter;
    if (c.decay > 0)
        filter.SetDecay(c.decay);
    std::vector<int> outputs;
    for (int input : c.inputs)
        outputs.push_back((filter.*c.filter)(input));
    EXPECT_EQ(outputs, c.outputs);
    filter.Clear();
    EXPECT_EQ((filter.*c.filter)(0), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DecayFilter,
    ::testing::Values(
        TFilterCase{"StepUpHoldsThenSinks", &TDispDecayFilter::StepUp, 2, {1000, 0, 0, 500}, {1000, 100, 10, 500}},
        TFilterCase{"ExponentialFollows", &TDispDecayFilter::Exponential, 2, {1000, 1000, 0}, {900, 990, 99}},
        TFilterCase{"ExponentialUnassignedIsAlmostExact", &TDispDecayFilter::Exponential, 0, {1000, 20000}, {999, 19998}},
        TFilterCase{"UniformAveragesTheRing", &TDispDecayFilter::Uniform, 2, {100, 300, 500, 0}, {100, 200, 400, 250}},
        TFilterCase{"UniformAveragesWhatItHas", &TDispDecayFilter::Uniform, 3, {400, 0, 200, 200, 200}, {400, 200, 200, 200, 150}}));

} // namespace
