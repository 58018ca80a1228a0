#pragma once

#include <cstdint>
#include <optional>

#include <QColor>
#include <QMetaType>
#include <QString>

// A colour as the skin and the displays store it: 0x00BBGGRR, or 0x80000000 + n for system colour n,
// which is resolved only when drawn.
class TColor
{
public:
    constexpr TColor() = default;
    constexpr explicit TColor(uint32_t value) : m_value(value) {}

    constexpr uint32_t Value() const { return m_value; }
    constexpr bool IsSystem() const { return (m_value & 0x80000000u) != 0; }
    constexpr bool operator==(const TColor &) const = default;

    // 0x00BBGGRR with system colours resolved to the classic default scheme.
    uint32_t ToRGB() const;
    QColor ToQColor() const;

    // The layout's colour names (`clLime`, `clBtnFace`, ...).
    static std::optional<TColor> FromName(const QString &name);
    // The name a written layout uses, or nothing when the value has none.
    std::optional<QString> Name() const;

private:
    uint32_t m_value = 0;
};

Q_DECLARE_METATYPE(TColor)

constexpr uint32_t SystemColor(uint32_t index)
{
    return 0x80000000u + index;
}

inline constexpr TColor clBlack{0x000000};
inline constexpr TColor clMaroon{0x000080};
inline constexpr TColor clGreen{0x008000};
inline constexpr TColor clTeal{0x808000};
inline constexpr TColor clSilver{0xC0C0C0};
inline constexpr TColor clRed{0x0000FF};
inline constexpr TColor clLime{0x00FF00};
inline constexpr TColor clAqua{0xFFFF00};
inline constexpr TColor clWhite{0xFFFFFF};

inline constexpr TColor clActiveCaption{SystemColor(2)};
inline constexpr TColor clWindowFrame{SystemColor(6)};
inline constexpr TColor clWindowText{SystemColor(8)};
inline constexpr TColor clCaptionText{SystemColor(9)};
inline constexpr TColor clHighlight{SystemColor(13)};
inline constexpr TColor clBtnFace{SystemColor(15)};
inline constexpr TColor clBtnShadow{SystemColor(16)};
inline constexpr TColor clGrayText{SystemColor(17)};
inline constexpr TColor clBtnHighlight{SystemColor(20)};
