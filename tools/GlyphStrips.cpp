// Draws the LED displays' glyph strips into a folder (resources/): seven-segment digits with dotted unlit
// segments, and a 5 x 7 dot-matrix font. Usage: glyph_strips FOLDER
#include <algorithm>
#include <cstdio>
#include <functional>

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include "displays/GlyphStrip.h"

namespace {

enum TInk
{
    inkBackground,
    inkUnlit,
    inkLit,
};

using TGlyphPainter = std::function<void(QImage &strip, int left, int glyph)>;

QImage newStrip(const GlyphStrip::TStrip &strip)
{
    QImage image(strip.width, strip.height, QImage::Format_Indexed8);
    image.setColorTable({GlyphStrip::kBackground, GlyphStrip::kUnlit, GlyphStrip::kLit});
    image.fill(inkBackground);
    return image;
}

void put(QImage &image, int x, int y, TInk ink)
{
    if (image.rect().contains(x, y))
        image.setPixel(x, y, ink);
}

// Lit pixels are solid; unlit ones are every second pixel, so an unlit segment reads as dotted.
void box(QImage &image, int left, int top, int width, int height, bool lit)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (lit || (x + y) % 2 == 0)
                put(image, x, y, lit ? inkLit : inkUnlit);
}

// Segments a to g as bits 0 to 6, per digit 0 to 9.
constexpr int kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

struct TDigitCell
{
    int width;
    int height;
    int thick;
    int middle;
};

TDigitCell cellOf(const GlyphStrip::TStrip &strip)
{
    const int width = strip.width / strip.glyphs;
    const int thick = std::max(1, width / 5);
    return {width, strip.height, thick, (strip.height - thick) / 2};
}

void drawSegments(QImage &image, int left, const TDigitCell &c, int litMask)
{
    const int t = c.thick;
    const int span = c.width - 2 * t;
    const int upper = c.middle - t;
    const int lower = c.height - t - c.middle - t;
    const auto lit = [litMask](int segment) { return (litMask >> segment & 1) != 0; };
    box(image, left + t, 0, span, t, lit(0));
    box(image, left + c.width - t, t, t, upper, lit(1));
    box(image, left + c.width - t, c.middle + t, t, lower, lit(2));
    box(image, left + t, c.height - t, span, t, lit(3));
    box(image, left, c.middle + t, t, lower, lit(4));
    box(image, left, t, t, upper, lit(5));
    box(image, left + t, c.middle, span, t, lit(6));
}

void drawDigit(QImage &image, int left, int glyph, const TDigitCell &c)
{
    drawSegments(image, left, c, glyph == 0 ? 0 : kSegments[glyph - 1]);
}

// Blank, point, colon, minus: segments unlit except the minus's middle one.
void drawSpecial(QImage &image, int left, int glyph, const TDigitCell &c)
{
    drawSegments(image, left, c, glyph == 3 ? 0x40 : 0);
    const int t = c.thick;
    const int dotLeft = left + (c.width - t) / 2;
    if (glyph == 1)
        box(image, dotLeft, c.height - 2 * t - 1, t, t, true);
    if (glyph == 2) {
        box(image, dotLeft, (c.middle + t) / 2, t, t, true);
        box(image, dotLeft, c.middle + t + (c.height - 2 * t - c.middle) / 2, t, t, true);
    }
}

// Codes 32 to 96, seven rows of five dots each, most significant bit leftmost.
const char *const kFont[65] = {
    "00000 00000 00000 00000 00000 00000 00000", "00100 00100 00100 00100 00100 00000 00100",
    "01010 01010 00000 00000 00000 00000 00000", "01010 01010 11111 01010 11111 01010 01010",
    "00100 01111 10100 01110 00101 11110 00100", "11000 11001 00010 00100 01000 10011 00011",
    "01100 10010 10100 01000 10101 10010 01101", "00100 00100 01000 00000 00000 00000 00000",
    "00010 00100 01000 01000 01000 00100 00010", "01000 00100 00010 00010 00010 00100 01000",
    "00000 00100 10101 01110 10101 00100 00000", "00000 00100 00100 11111 00100 00100 00000",
    "00000 00000 00000 00000 01100 00100 01000", "00000 00000 00000 11111 00000 00000 00000",
    "00000 00000 00000 00000 00000 01100 01100", "00000 00001 00010 00100 01000 10000 00000",
    "01110 10001 10011 10101 11001 10001 01110", "00100 01100 00100 00100 00100 00100 01110",
    "01110 10001 00001 00010 00100 01000 11111", "11111 00010 00100 00010 00001 10001 01110",
    "00010 00110 01010 10010 11111 00010 00010", "11111 10000 11110 00001 00001 10001 01110",
    "00110 01000 10000 11110 10001 10001 01110", "11111 00001 00010 00100 01000 01000 01000",
    "01110 10001 10001 01110 10001 10001 01110", "01110 10001 10001 01111 00001 00010 01100",
    "00000 01100 01100 00000 01100 01100 00000", "00000 01100 01100 00000 01100 00100 01000",
    "00010 00100 01000 10000 01000 00100 00010", "00000 00000 11111 00000 11111 00000 00000",
    "01000 00100 00010 00001 00010 00100 01000", "01110 10001 00001 00010 00100 00000 00100",
    "01110 10001 00001 01101 10101 10101 01110", "01110 10001 10001 11111 10001 10001 10001",
    "11110 10001 10001 11110 10001 10001 11110", "01110 10001 10000 10000 10000 10001 01110",
    "11100 10010 10001 10001 10001 10010 11100", "11111 10000 10000 11110 10000 10000 11111",
    "11111 10000 10000 11110 10000 10000 10000", "01110 10001 10000 10111 10001 10001 01111",
    "10001 10001 10001 11111 10001 10001 10001", "01110 00100 00100 00100 00100 00100 01110",
    "00111 00010 00010 00010 00010 10010 01100", "10001 10010 10100 11000 10100 10010 10001",
    "10000 10000 10000 10000 10000 10000 11111", "10001 11011 10101 10101 10001 10001 10001",
    "10001 10001 11001 10101 10011 10001 10001", "01110 10001 10001 10001 10001 10001 01110",
    "11110 10001 10001 11110 10000 10000 10000", "01110 10001 10001 10001 10101 10010 01101",
    "11110 10001 10001 11110 10100 10010 10001", "01111 10000 10000 01110 00001 00001 11110",
    "11111 00100 00100 00100 00100 00100 00100", "10001 10001 10001 10001 10001 10001 01110",
    "10001 10001 10001 10001 10001 01010 00100", "10001 10001 10001 10101 10101 10101 01010",
    "10001 10001 01010 00100 01010 10001 10001", "10001 10001 10001 01010 00100 00100 00100",
    "11111 00001 00010 00100 01000 10000 11111", "01110 01000 01000 01000 01000 01000 01110",
    "00000 10000 01000 00100 00010 00001 00000", "01110 00010 00010 00010 00010 00010 01110",
    "00100 01010 10001 00000 00000 00000 00000", "00000 00000 00000 00000 00000 00000 11111",
    "01000 00100 00010 00000 00000 00000 00000",
};

bool dotLit(int cell, int row, int column)
{
    if (cell >= 65)
        return row >= 7 - (cell - 64);
    return kFont[cell][row * 6 + column] == '1';
}

// Small font: 1-pixel dots at pitch 2. Large font: 2 x 2 lit dots, two diagonal pixels unlit, pitch 3.
void drawCell(QImage &image, int left, int cell, int pitch)
{
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 5; ++column) {
            const int x = left + 1 + pitch * column;
            const int y = pitch * row;
            const bool lit = dotLit(cell, row, column);
            if (pitch == 2) {
                put(image, x, y, lit ? inkLit : inkUnlit);
                continue;
            }
            const TInk ink = lit ? inkLit : inkUnlit;
            put(image, x, y, ink);
            put(image, x + 1, y + 1, ink);
            if (lit) {
                put(image, x + 1, y, ink);
                put(image, x, y + 1, ink);
            }
        }
}

bool save(const QString &folder, const GlyphStrip::TStrip &strip, const TGlyphPainter &paint)
{
    QImage image = newStrip(strip);
    const int width = strip.width / strip.glyphs;
    for (int glyph = 0; glyph < strip.glyphs; ++glyph)
        paint(image, glyph * width, glyph);
    const QString path = folder + QLatin1Char('/') + QLatin1String(strip.name) + QStringLiteral(".png");
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "glyph_strips: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyph_strips FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size = 0; size < 13; ++size) {
        const TDigitCell cell = cellOf(GlyphStrip::kDigitStrips[size]);
        ok &= save(folder, GlyphStrip::kDigitStrips[size],
                   [&cell](QImage &image, int left, int glyph) { drawDigit(image, left, glyph, cell); });
        ok &= save(folder, GlyphStrip::kSpecialStrips[size],
                   [&cell](QImage &image, int left, int glyph) { drawSpecial(image, left, glyph, cell); });
    }
    for (int size = 0; size < 2; ++size)
        ok &= save(folder, GlyphStrip::kFontStrips[size], [size](QImage &image, int left, int cell) {
            drawCell(image, left, cell, size == 0 ? 2 : 3);
        });
    return ok ? 0 : 1;
}
