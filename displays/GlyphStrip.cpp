#include "displays/GlyphStrip.h"

#include <algorithm>
#include <map>

#include "resources/Resources.h"

namespace GlyphStrip {

const TStrip kDigitStrips[13] = {
    {"LCD_06X07", 44, 7, 11},   {"LCD_07X11", 55, 9, 11},   {"LCD_08X13", 77, 13, 11},
    {"LCD_11X19", 99, 19, 11},  {"LCD_13X20", 121, 20, 11}, {"LCD_13X21", 121, 21, 11},
    {"LCD_15X24", 143, 24, 11}, {"LCD_15X25", 143, 25, 11}, {"LCD_17X29", 165, 29, 11},
    {"LCD_18X25", 165, 23, 11}, {"LCD_19X33", 187, 33, 11}, {"LCD_21X37", 209, 37, 11},
    {"LCD_23X41", 231, 41, 11},
};

const TStrip kSpecialStrips[13] = {
    {"LCDS_06X07", 16, 7, 4},  {"LCDS_07X11", 20, 9, 4},  {"LCDS_08X13", 28, 13, 4},
    {"LCDS_11X19", 36, 19, 4}, {"LCDS_13X20", 44, 20, 4}, {"LCDS_13X21", 44, 21, 4},
    {"LCDS_15X24", 52, 24, 4}, {"LCDS_15X25", 52, 25, 4}, {"LCDS_17X29", 60, 29, 4},
    {"LCDS_18X25", 60, 23, 4}, {"LCDS_19X33", 68, 33, 4}, {"LCDS_21X37", 76, 37, 4},
    {"LCDS_23X41", 84, 41, 4},
};

const TStrip kFontStrips[2] = {
    {"FONT_11X13", 792, 13, 72},
    {"FONT_16X20", 1152, 20, 72},
};

const TStrip &DigitStrip(int displayType, int digitSize)
{
    const int size = std::clamp(digitSize, 0, 12);
    return displayType == 0 ? kDigitStrips[size] : kSpecialStrips[size];
}

QSize GlyphSize(const TStrip &strip)
{
    return QSize(strip.width / strip.glyphs, strip.height);
}

QImage Load(const TStrip &strip)
{
    // Decoded once: every display of a size shares the embedded strip, and the copies share its pixels.
    static std::map<const TStrip *, QImage> decoded;
    QImage &image = decoded[&strip];
    if (image.isNull())
        image = ReadImage(QString::fromLatin1(strip.name) + QStringLiteral(".png"))
                    .convertToFormat(QImage::Format_RGB32);
    return image;
}

QImage Recolour(const QImage &strip, TColor lit, TColor background, TColor unlit, bool drawInactive)
{
    const QRgb litRgb = lit.ToQColor().rgb();
    const QRgb backgroundRgb = background.ToQColor().rgb();
    const QRgb unlitRgb = drawInactive ? unlit.ToQColor().rgb() : backgroundRgb;
    QImage result = strip.convertToFormat(QImage::Format_RGB32);
    const int width = result.width();
    const int height = result.height();
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (line[x] | 0xFF000000) {
            case kLit:
                line[x] = litRgb;
                break;
            case kBackground:
                line[x] = backgroundRgb;
                break;
            case kUnlit:
                line[x] = unlitRgb;
                break;
            default:
                line[x] = kBackground;
            }
        }
    }
    return result;
}

} // namespace GlyphStrip
