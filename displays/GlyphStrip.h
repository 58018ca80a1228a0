#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "runtime/Color.h"

// The three-colour glyph strips of the LED displays: one row of equal glyphs in black (background), white
// (lit) and silver (unlit), recoloured once per colour set and then only block-copied.
namespace GlyphStrip {

struct TStrip
{
    const char *name;
    int width;
    int height;
    int glyphs;
};

// Indexed by digit size: the digit strip (blank, 0 to 9) and the special strip (blank, point, colon, minus).
extern const TStrip kDigitStrips[13];
extern const TStrip kSpecialStrips[13];
// Indexed by font size: 72 cells for the codes 32 to 103.
extern const TStrip kFontStrips[2];

// The strip of a digit's display type (0 the digits, any other the specials) and size, cut to the sizes there
// are.
const TStrip &DigitStrip(int displayType, int digitSize);
// One glyph's size, as the table gives it, without loading the strip.
QSize GlyphSize(const TStrip &strip);

inline constexpr QRgb kBackground = 0xFF000000;
inline constexpr QRgb kLit = 0xFFFFFFFF;
inline constexpr QRgb kUnlit = 0xFFC0C0C0;

// The strip as embedded, as 32-bit pixels.
QImage Load(const TStrip &strip);
// White takes `lit`, black `background`, silver `unlit` when drawInactive and `background` otherwise;
// any other pixel becomes black.
QImage Recolour(const QImage &strip, TColor lit, TColor background, TColor unlit, bool drawInactive);

} // namespace GlyphStrip
