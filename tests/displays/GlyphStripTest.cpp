#include "displays/GlyphStrip.h"

#include <set>

#include <gtest/gtest.h>

namespace {

class GlyphStrips : public ::testing::TestWithParam<GlyphStrip::TStrip>
{
};

TEST_P(GlyphStrips, HaveTheirSizeAndOnlyTheThreeColours)
{
    const GlyphStrip::TStrip &strip = GetParam();
    const QImage image = GlyphStrip::Load(strip);
    ASSERT_EQ(image.size(), QSize(strip.width, strip.height)) << strip.name;
    EXPECT_EQ(strip.width % strip.glyphs, 0);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{GlyphStrip::kBackground, GlyphStrip::kLit, GlyphStrip::kUnlit}))
        << strip.name;
}

std::vector<GlyphStrip::TStrip> allStrips()
{
    std::vector<GlyphStrip::TStrip> strips(std::begin(GlyphStrip::kDigitStrips),
                                           std::end(GlyphStrip::kDigitStrips));
    strips.insert(strips.end(), std::begin(GlyphStrip::kSpecialStrips), std::end(GlyphStrip::kSpecialStrips));
    strips.insert(strips.end(), std::begin(GlyphStrip::kFontStrips), std::end(GlyphStrip::kFontStrips));
    return strips;
}

INSTANTIATE_TEST_SUITE_P(Embedded, GlyphStrips, ::testing::ValuesIn(allStrips()),
                         [](const auto &info) { return std::string(info.param.name); });

struct TFontCase
{
    int size;
    int pitch;
};

using FontStripDots = ::testing::TestWithParam<TFontCase>;

// Each of the 35 dots of every cell starts at column 1 + pitch x c and row pitch x r; nothing lies between.
TEST_P(FontStripDots, LieOnTheGridAndTheLevelBarsFillFromTheBottom)
{
    const QImage image = GlyphStrip::Load(GlyphStrip::kFontStrips[GetParam().size]);
    const int pitch = GetParam().pitch;
    const int cell = image.width() / 72;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int column = x % cell - 1;
            const bool onGrid =
                column >= 0 && column < 5 * pitch && column % pitch < pitch - 1 && y % pitch < pitch - 1;
            if (!onGrid) {
                ASSERT_EQ(image.pixel(x, y), GlyphStrip::kBackground) << x << "," << y;
            }
        }
    for (int bar = 1; bar <= 7; ++bar)
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(image.pixel((64 + bar) * cell + 1 + 2 * pitch, row * pitch),
                      row >= 7 - bar ? GlyphStrip::kLit : GlyphStrip::kUnlit);
    EXPECT_EQ(image.pixel(cell + 1 + 2 * pitch, 0), GlyphStrip::kLit);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontStripDots, ::testing::Values(TFontCase{0, 2}, TFontCase{1, 3}));

} // namespace
