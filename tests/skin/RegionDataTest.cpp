#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QRect>
#include <QRegion>
#include <QtEndian>

#include <gtest/gtest.h>

#include "skin/RegionData.h"

namespace {

// Edges as stored: left, top, right, bottom, right and bottom exclusive.
struct TEdges
{
    int32_t left, top, right, bottom;
};

QByteArray blockOf(const std::vector<TEdges> &rectangles, const TEdges &bounds)
{
    std::vector<int32_t> words{32,
                               1,
                               int32_t(rectangles.size()),
                               int32_t(rectangles.size() * 16),
                               bounds.left,
                               bounds.top,
                               bounds.right,
                               bounds.bottom};
    for (const TEdges &r : rectangles)
        words.insert(words.end(), {r.left, r.top, r.right, r.bottom});
    QByteArray block(4, '\0');
    qToLittleEndian(uint32_t(words.size() * 4), block.data());
    for (int32_t word : words) {
        char bytes[4];
        qToLittleEndian(word, bytes);
        block.append(bytes, 4);
    }
    return block;
}

struct TLargeCase
{
    const char *name;
    std::function<TEdges(int)> rectangle; // the i-th of the block's rectangles
    TEdges bounds;
    QPoint inside, outside;
};

class RegionDataLarge : public ::testing::TestWithParam<TLargeCase>
{
};

// The largest region a block may hold, in the orders that made reading it take tens of seconds to minutes.
TEST_P(RegionDataLarge, ReadsTheLargestRegionInAnyOrder)
{
    const TLargeCase &c = GetParam();
    std::vector<TEdges> rectangles;
    for (int i = 0; i < RegionData::kMaxRectangles; ++i)
        rectangles.push_back(c.rectangle(i));
    const std::optional<QRegion> region = RegionData::Read(blockOf(rectangles, c.bounds));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->boundingRect(),
              QRect(QPoint(c.bounds.left, c.bounds.top), QPoint(c.bounds.right - 1, c.bounds.bottom - 1)));
    EXPECT_TRUE(region->contains(c.inside));
    EXPECT_FALSE(region->contains(c.outside));
    EXPECT_EQ(RegionData::Read(RegionData::Write(region)), region);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, RegionDataLarge,
    ::testing::Values(
        TLargeCase{"CheckerboardByColumns",
                   [](int i) {
                       return TEdges{i / 256 * 2, i % 256 * 2, i / 256 * 2 + 1, i % 256 * 2 + 1};
                   },
                   {0, 0, 511, 511},
                   {2, 4},
                   {1, 0}},
        TLargeCase{"BandsBottomUp",
                   [](int i) {
                       return TEdges{0, (65535 - i) * 2, 2, (65535 - i) * 2 + 1};
                   },
                   {0, 0, 2, 131071},
                   {1, 2},
                   {0, 1}},
        TLargeCase{"OverlappingStairs",
                   [](int i) { return TEdges{i / 2, i / 2, i / 2 + 1000, i / 2 + 1000}; },
                   {0, 0, 33767, 33767},
                   {33000, 32100},
                   {0, 1000}}),
    [](const ::testing::TestParamInfo<TLargeCase> &info) { return info.param.name; });

// Overlapping rectangles that cut into more rectangles than a block may hold could never be stored again.
TEST(RegionData, RefusesAListThatCutsIntoTooManyRectangles)
{
    std::vector<TEdges> rectangles;
    for (int i = 0; i < RegionData::kMaxRectangles; ++i)
        rectangles.push_back({i, i, i + 2, i + 2});
    const int far = RegionData::kMaxRectangles + 1;
    EXPECT_FALSE(RegionData::Read(blockOf(rectangles, {0, 0, far, far})));
}

} // namespace
