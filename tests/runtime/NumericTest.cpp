#include "runtime/Numeric.h"

#include <cmath>
#include <limits>
#include <tuple>

#include <gtest/gtest.h>

class RoundHalfToEven : public ::testing::TestWithParam<std::tuple<double, int64_t>>
{
};

TEST_P(RoundHalfToEven, RoundsTiesToTheEvenNeighbour)
{
    const auto [value, expected] = GetParam();
    EXPECT_EQ(Round(value), expected) << value;
}

INSTANTIATE_TEST_SUITE_P(Numeric, RoundHalfToEven,
                         ::testing::Values(std::make_tuple(0.5, 0), std::make_tuple(1.5, 2),
                                           std::make_tuple(2.5, 2), std::make_tuple(-2.5, -2),
                                           std::make_tuple(-1.5, -2), std::make_tuple(-0.5, 0),
                                           std::make_tuple(2.4999, 2), std::make_tuple(2.5001, 3),
                                           std::make_tuple(-2.6, -3), std::make_tuple(1e12 + 0.5, 1000000000000)));

TEST(Numeric, TruncDropsTheFractionTowardsZero)
{
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(0.0), 0);
}

TEST(Numeric, OutOfRangeValuesSaturateInsteadOfOverflowing)
{
    constexpr auto kMax = std::numeric_limits<int64_t>::max();
    constexpr auto kMin = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(Round(1e30), kMax);
    EXPECT_EQ(Round(-1e30), kMin);
    EXPECT_EQ(Trunc(std::numeric_limits<double>::infinity()), kMax);
    EXPECT_EQ(Round(std::nan("")), 0);
}

class MulDivRounding : public ::testing::TestWithParam<std::tuple<int, int, int, int>>
{
};

TEST_P(MulDivRounding, RoundsHalvesAwayFromZero)
{
    const auto [a, b, c, expected] = GetParam();
    EXPECT_EQ(MulDiv(a, b, c), expected) << a << " * " << b << " / " << c;
}

INSTANTIATE_TEST_SUITE_P(Numeric, MulDivRounding,
                         ::testing::Values(std::make_tuple(10, 1, 4, 3),   // 2.5 -> 3
                                           std::make_tuple(-10, 1, 4, -3), // -2.5 -> -3
                                           std::make_tuple(10, 1, -4, -3), std::make_tuple(-10, -1, 4, 3),
                                           std::make_tuple(7, 1, 3, 2),    // 2.33
                                           std::make_tuple(8, 1, 3, 3),    // 2.67
                                           std::make_tuple(-11, 72, 96, -8), std::make_tuple(8, 96, 72, 11),
                                           // the product needs 64 bits, the result does not
                                           std::make_tuple(2000000000, 3, 4, 1500000000)));

TEST(Numeric, MulDivReportsDivisionByZeroAndOverflowAsMinusOne)
{
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1);
    EXPECT_EQ(MulDiv(std::numeric_limits<int>::min(), -1, 1), -1);
}
