#include "runtime/Font.h"

#include "runtime/Numeric.h"

namespace {

const QString kDefaultName = QStringLiteral("MS Sans Serif");
constexpr int kDefaultHeight = -11;
constexpr int kPointsPerInch = 72;

} // namespace

TFont::TFont(QObject *parent)
    : QObject(parent), m_name(kDefaultName), m_height(kDefaultHeight), m_color(clWindowText)
{
}

void TFont::SetName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    emit changed();
}

void TFont::SetHeight(int height)
{
    if (m_height == height)
        return;
    m_height = height;
    emit changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, kPointsPerInch, kPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kPixelsPerInch, kPointsPerInch));
}

void TFont::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (m_style == style)
        return;
    m_style = style;
    emit changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (m_pitch == pitch)
        return;
    m_pitch = pitch;
    emit changed();
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
    m_name = source.m_name;
    m_height = source.m_height;
    m_color = source.m_color;
    m_style = source.m_style;
    m_pitch = source.m_pitch;
    emit changed();
}

QFont TFont::ToQFont() const
{
    QFont font(m_name);
    font.setPixelSize(m_height < 0 ? -m_height : m_height > 0 ? m_height : -kDefaultHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setBold(m_style.testFlag(fsBold));
    font.setItalic(m_style.testFlag(fsItalic));
    font.setUnderline(m_style.testFlag(fsUnderline));
    font.setStrikeOut(m_style.testFlag(fsStrikeOut));
    if (m_pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
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
