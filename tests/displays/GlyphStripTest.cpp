#include "displays/GlyphStrip.h"

#include <set>
#include <string>

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

// The lit segments of a glyph, a (top) to g (middle), each probed at two neighbouring pixels so that a
// dotted unlit segment shows at one of them; '?' where a probe finds no segment.
std::string LitSegments(const QImage &strip, int glyph, QSize size)
{
    const int w = size.width(), h = size.height();
    const QPoint probes[7][2] = {
        {{w / 2 - 1, 0}, {w / 2, 0}},
        {{w - 1, h / 4}, {w - 1, h / 4 + 1}},
        {{w - 1, 3 * h / 4 - 1}, {w - 1, 3 * h / 4}},
        {{w / 2 - 1, h - 1}, {w / 2, h - 1}},
        {{0, 3 * h / 4 - 1}, {0, 3 * h / 4}},
        {{0, h / 4}, {0, h / 4 + 1}},
        {{w / 2 - 1, h / 2}, {w / 2, h / 2}},
    };
    std::string lit;
    for (int segment = 0; segment < 7; ++segment) {
        const QRgb first = strip.pixel(glyph * w + probes[segment][0].x(), probes[segment][0].y());
        const QRgb second = strip.pixel(glyph * w + probes[segment][1].x(), probes[segment][1].y());
        if (first == GlyphStrip::kLit && second == GlyphStrip::kLit)
            lit += char('a' + segment);
        else if (first == GlyphStrip::kLit || second == GlyphStrip::kLit ||
                 (first != GlyphStrip::kUnlit && second != GlyphStrip::kUnlit))
            lit += '?';
    }
    return lit;
}

// Runs of rows holding lit pixels: 'U' above the middle row, 'L' below it, 'M' across it.
std::string LitRows(const QImage &strip, int glyph, QSize size)
{
    std::string runs;
    int start = -1;
    for (int y = 0; y <= size.height(); ++y) {
        bool lit = false;
        for (int x = 0; y < size.height() && x < size.width(); ++x)
            lit = lit || strip.pixel(glyph * size.width() + x, y) == GlyphStrip::kLit;
        if (lit && start < 0)
            start = y;
        if (!lit && start >= 0) {
            const int middle = size.height() / 2;
            runs += y <= middle ? 'U' : start > middle ? 'L' : 'M';
            start = -1;
        }
    }
    return runs;
}

using DigitGlyphs = ::testing::TestWithParam<int>;

TEST_P(DigitGlyphs, LightTheSegmentsOfTheirDigitOrSign)
{
    const GlyphStrip::TStrip &digits = GlyphStrip::kDigitStrips[GetParam()];
    const QImage strip = GlyphStrip::Load(digits);
    const std::string expected[11] = {"",      "abcdef", "bc",  "abdeg",   "abcdg", "bcfg",
                                      "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};
    for (int glyph = 0; glyph < 11; ++glyph)
        EXPECT_EQ(LitSegments(strip, glyph, GlyphStrip::GlyphSize(digits)), expected[glyph])
            << digits.name << " glyph " << glyph;
    // Blank, point, colon, minus.
    const GlyphStrip::TStrip &specials = GlyphStrip::kSpecialStrips[GetParam()];
    const QImage signs = GlyphStrip::Load(specials);
    const QSize size = GlyphStrip::GlyphSize(specials);
    const std::string segments[4] = {"", "", "", "g"};
    const std::string rows[4] = {"", "L", "UL", "M"};
    for (int glyph = 0; glyph < 4; ++glyph) {
        EXPECT_EQ(LitSegments(signs, glyph, size), segments[glyph]) << specials.name << " glyph " << glyph;
        EXPECT_EQ(LitRows(signs, glyph, size), rows[glyph]) << specials.name << " glyph " << glyph;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DigitGlyphs, ::testing::Range(0, 13));

} // namespace
