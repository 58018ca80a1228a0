#include "runtime/Font.h"

#include <algorithm>
#include <cstdint>

#include "runtime/Numeric.h"

namespace {

const QString kDefaultName = QStringLiteral("MS Sans Serif");
constexpr int kDefaultHeight = -11;
constexpr int kPointsPerInch = 72;

} // namespace

TFont::TFont(QObject *parent)
    : TPersistent(parent), m_name(kDefaultName), m_height(kDefaultHeight), m_color(clWindowText)
{}

void TFont::SetName(const QString &name)
{
    Store(m_name, name);
}

void TFont::SetHeight(int height)
{
    height = std::clamp(height, -kMaxHeight, kMaxHeight);
    if (m_height == height)
        return;
    m_height = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, kPointsPerInch, kPixelsPerInch);
}

void TFont::SetSize(int points)
{
    const int64_t pixels = Round(double(points) * kPixelsPerInch / kPointsPerInch);
    SetHeight(-int(std::clamp<int64_t>(pixels, -kMaxHeight, kMaxHeight)));
}

void TFont::SetColor(TColor color)
{
    Store(m_color, color);
}

void TFont::SetStyle(TFontStyles style)
{
    Store(m_style, style);
}

void TFont::SetPitch(TFontPitch pitch)
{
    Store(m_pitch, pitch);
}

bool TFont::Equals(const TFont &other) const
{
    return m_name == other.m_name && m_height == other.m_height && m_color == other.m_color &&
           m_style == other.m_style && m_pitch == other.m_pitch;
}

void TFont::Assign(const TFont &source)
{
    if (Equals(source))
        return;
    BeginUpdate();
    SetName(source.m_name);
    SetHeight(source.m_height);
    SetColor(source.m_color);
    SetStyle(source.m_style);
    SetPitch(source.m_pitch);
    EndUpdate();
}

QFont TFont::ToQFont() const
{
    QFont font(m_name);
    font.setPixelSize(m_height < 0 ? -m_height : m_height > 0 ? m_height : -kDefaultHeight);
    // Like the classic desktop's own text output: no smoothing, and no kerning, so Latin text needs no
    // shaping.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferNoShaping));
    font.setBold(m_style.testFlag(fsBold));
    font.setItalic(m_style.testFlag(fsItalic));
    font.setUnderline(m_style.testFlag(fsUnderline));
    font.setStrikeOut(m_style.testFlag(fsStrikeOut));
    if (m_pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter, font.styleStrategy());
    }
    return font;
}

void TFont::InstallSubstitutes()
{
    const QString liberation = QStringLiteral("Liberation Sans");
    for (const QString &family : {kDefaultName, QStringLiteral("Arial")})
        if (!QFont::substitutes(family).contains(liberation, Qt::CaseInsensitive))
            QFont::insertSubstitution(family, liberation);
}
