#include "skin/ButtonGlyph.h"

#include <QPainter>

#include "runtime/Color.h"
#include "runtime/Numeric.h"
#include "skin/GlyphCache.h"

namespace {

int sum(QRgb pixel)
{
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel);
}

QRgb opaque(TColor color)
{
    return color.ToQColor().rgb();
}

} // namespace

TButtonGlyph::~TButtonGlyph()
{
    Clear();
}

void TButtonGlyph::SetBitmap(const QImage &bitmap)
{
    Clear();
    m_bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    if (m_bitmap.isNull())
        return;
    m_transparentColor = m_bitmap.pixel(0, m_bitmap.height() - 1);
    if (m_bitmap.width() % m_bitmap.height() == 0) {
        const int squares = m_bitmap.width() / m_bitmap.height();
        m_numGlyphs = squares < 6 ? squares : 1;
    }
}

void TButtonGlyph::SetNumGlyphs(int numGlyphs)
{
    if (numGlyphs <= 0 || numGlyphs == m_numGlyphs)
        return;
    Clear();
    m_numGlyphs = numGlyphs;
}

void TButtonGlyph::SetUnColorMain(bool unColorMain)
{
    if (unColorMain == m_unColorMain)
        return;
    Clear();
    m_unColorMain = unColorMain;
}

QSize TButtonGlyph::SliceSize() const
{
    // Without a bitmap the glyph takes no room: a zero size, not Qt's invalid one, whose -1 would shift
    // the caption.
    return m_bitmap.isNull() ? QSize(0, 0) : QSize(m_bitmap.width() / m_numGlyphs, m_bitmap.height());
}

QImage TButtonGlyph::Image(int index)
{
    if (m_bitmap.isNull() || index < 0 || index >= kStates || SliceSize().isEmpty())
        return {};
    TGlyphCache &cache = TGlyphCache::Instance();
    if (m_cachedSize.isEmpty()) {
        m_cachedSize = SliceSize();
        cache.Join(m_cachedSize);
    }
    if (m_cached[index] < 0)
        m_cached[index] = cache.Add(Prepared(index));
    return cache.Image(m_cachedSize, m_cached[index]);
}

QImage TButtonGlyph::Uncoloured(const QImage &slice)
{
    QImage image = slice.convertToFormat(QImage::Format_RGB32);
    const QRgb background = image.pixel(0, 0);
    int64_t total = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y); pixel != background) {
                total += sum(pixel);
                ++count;
            }
    const int64_t t = count ? Round(double(total) / count - 200) : 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == background)
                continue;
            const int s = sum(pixel);
            image.setPixel(x, y,
                           s > t + 550   ? qRgb(255, 255, 255)
                           : s > t + 250 ? opaque(clBtnHighlight)
                           : s > t + 50  ? opaque(clBtnShadow)
                                         : qRgb(0, 0, 0));
        }
    return image;
}

QImage TButtonGlyph::Disabled(const QImage &slice, QRgb transparentColor)
{
    QImage shape(slice.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    const QImage source = slice.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (source.pixel(x, y) != transparentColor)
                shape.setPixel(x, y, qRgb(0, 0, 0));
    const auto tinted = [&shape](QRgb colour) {
        QImage image = shape;
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), QColor::fromRgb(colour));
        return image;
    };
    QImage image(slice.size(), QImage::Format_RGB32);
    image.fill(transparentColor);
    QPainter painter(&image);
    painter.drawImage(1, 1, tinted(opaque(clBtnHighlight)));
    painter.drawImage(0, 0, tinted(opaque(clBtnShadow)));
    return image;
}

QImage TButtonGlyph::Slice(int index) const
{
    const QSize size = SliceSize();
    return m_bitmap.copy(index * size.width(), 0, size.width(), size.height());
}

// Slices stand as they are; the states the bitmap has no slice for are made from slice 0.
QImage TButtonGlyph::Prepared(int index) const
{
    QImage image;
    if (index == 0 && m_unColorMain)
        image = Uncoloured(Slice(0));
    else if (index < m_numGlyphs)
        image = Slice(index);
    else if (index == 1)
        image = Disabled(Slice(0), m_transparentColor);
    else
        image = Slice(0);
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == (m_transparentColor | 0xFF000000u))
                line[x] = 0;
    }
    return image;
}

void TButtonGlyph::Clear()
{
    if (m_cachedSize.isEmpty())
        return;
    TGlyphCache &cache = TGlyphCache::Instance();
    for (int &index : m_cached)
        if (index >= 0)
            cache.Remove(m_cachedSize, std::exchange(index, -1));
    cache.Leave(m_cachedSize);
    m_cachedSize = QSize();
}
