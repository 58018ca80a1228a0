#include "skin/ExtGlyphs.h"

#include <QPainter>

#include "resources/Resources.h"

TExtGlyphs::TExtGlyphs(QObject *parent) : TPersistent(parent)
{}

void TExtGlyphs::SetGlyph(const QString &name)
{
    m_glyphName = name;
    SetGlyphBitmap(ReadImage(name));
}

void TExtGlyphs::SetGlyphBitmap(const QImage &bitmap)
{
    m_bitmap = bitmap;
    Prepare();
    Changed();
}

void TExtGlyphs::SetNumGlyphs(int numGlyphs)
{
    Store(m_numGlyphs, std::max(numGlyphs, 0));
}

void TExtGlyphs::SetPosition(TGlyphPosition position)
{
    Store(m_position, position);
}

void TExtGlyphs::SetSpacing(int spacing)
{
    Store(m_spacing, spacing);
}

void TExtGlyphs::SetTransparentColor(TColor color)
{
    if (m_transparentColor == color)
        return;
    m_transparentColor = color;
    Prepare();
    Changed();
}

QSize TExtGlyphs::ImageSize() const
{
    if (m_prepared.isNull() || m_numGlyphs == 0 || m_prepared.width() < m_numGlyphs)
        return QSize(0, 0);
    return QSize(m_prepared.width() / m_numGlyphs, m_prepared.height());
}

bool TExtGlyphs::HasImage(int index) const
{
    return index >= 0 && index < m_numGlyphs && !ImageSize().isEmpty();
}

void TExtGlyphs::Draw(QPainter &painter, const QPoint &at, int index) const
{
    if (!HasImage(index))
        return;
    const QSize size = ImageSize();
    painter.drawImage(at, m_prepared, QRect(QPoint(index * size.width(), 0), size));
}

void TExtGlyphs::Prepare()
{
    m_prepared = m_bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = m_transparentColor.ToQColor().rgb();
    for (int y = 0; y < m_prepared.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_prepared.scanLine(y));
        for (int x = 0; x < m_prepared.width(); ++x)
            if (line[x] == transparent)
                line[x] = 0;
    }
}
