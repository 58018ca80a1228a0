#include "runtime/Color.h"

#include <array>
#include <utility>

namespace {

// The classic default desktop scheme, as 0x00BBGGRR, indexed by system colour number, so that the skin
// looks the same on every desktop.
constexpr std::array<uint32_t, 25> kSystemScheme = {
    0xC8D0D4, // 0 scroll bar
    0xA56E3A, // 1 background
    0x800000, // 2 active caption
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x800000, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 3D dark shadow
    0xDFDFDF, // 22 3D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
};

constexpr std::array<std::pair<const char *, TColor>, 18> kNames = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clTeal", clTeal},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clActiveCaption", clActiveCaption},
    {"clWindowFrame", clWindowFrame},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clHighlight", clHighlight},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnHighlight", clBtnHighlight},
}};

} // namespace

uint32_t TColor::ToRGB() const
{
    if (!IsSystem())
        return m_value & 0xFFFFFFu;
    const uint32_t index = m_value & 0xFFu;
    return index < kSystemScheme.size() ? kSystemScheme[index] : 0;
}

QColor TColor::ToQColor() const
{
    const uint32_t rgb = ToRGB();
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

std::optional<TColor> TColor::FromName(const QString &name)
{
    for (const auto &[colorName, color] : kNames)
        if (name.compare(QLatin1String(colorName), Qt::CaseInsensitive) == 0)
            return color;
    return std::nullopt;
}

std::optional<QString> TColor::Name() const
{
    for (const auto &[colorName, color] : kNames)
        if (color == *this)
            return QString::fromLatin1(colorName);
    return std::nullopt;
}
