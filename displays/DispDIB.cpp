#include "displays/DispDIB.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

const QString kNoDeviceContext = QStringLiteral("Unable to access DIB device context");
const QString kBadBitLength = QStringLiteral("Bitlength not supported yet");
const QString kRebuildWhileDrawing =
    QStringLiteral("Attempt to create new DIB while initialized for drawing");

struct TStaticColor
{
    int index;
    QRgb rgb;
};

// The twenty colours every screen palette keeps; the rest of the table stays black.
constexpr TStaticColor kStaticColors[] = {
    {0, qRgb(0, 0, 0)},         {1, qRgb(128, 0, 0)},       {2, qRgb(0, 128, 0)},
    {3, qRgb(128, 128, 0)},     {4, qRgb(0, 0, 128)},       {5, qRgb(128, 0, 128)},
    {6, qRgb(0, 128, 128)},     {7, qRgb(192, 192, 192)},   {8, qRgb(192, 220, 192)},
    {9, qRgb(166, 202, 240)},   {246, qRgb(255, 251, 240)}, {247, qRgb(160, 160, 164)},
    {248, qRgb(128, 128, 128)}, {249, qRgb(255, 0, 0)},     {250, qRgb(0, 255, 0)},
    {251, qRgb(255, 255, 0)},   {252, qRgb(0, 0, 255)},     {253, qRgb(255, 0, 255)},
    {254, qRgb(0, 255, 255)},   {255, qRgb(255, 255, 255)},
};

// The first entry of least squared distance.
int nearestIndex(const TDispDIBCanvas::TPalette &palette, QRgb rgb)
{
    int best = 0;
    int bestDistance = -1;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - qRed(rgb);
        const int dg = qGreen(palette[i]) - qGreen(rgb);
        const int db = qBlue(palette[i]) - qBlue(rgb);
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

TDispDIBCanvas::TDispDIBCanvas(QObject *parent) : QObject(parent)
{
    m_palette.fill(qRgb(0, 0, 0));
    for (const TStaticColor &entry : kStaticColors)
        m_palette[entry.index] = entry.rgb;
    RequireImage();
}

void TDispDIBCanvas::SetBitsPerPixel(int bitsPerPixel)
{
    if (bitsPerPixel == m_bitsPerPixel)
        return;
    if (bitsPerPixel != 8 && bitsPerPixel != 24)
        throw EDispDIBError(kBadBitLength);
    // Refused before storing: raw routines of the current drawing rely on the depth.
    if (m_drawing)
        throw EDispDIBError(kRebuildWhileDrawing);
    m_bitsPerPixel = bitsPerPixel;
    Rebuild();
}

void TDispDIBCanvas::SetPaletteRealize(bool realize)
{
    if (realize == m_paletteRealize)
        return;
    if (m_drawing)
        throw EDispDIBError(kRebuildWhileDrawing);
    m_paletteRealize = realize;
    Rebuild();
}

void TDispDIBCanvas::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    m_stale = true;
}

void TDispDIBCanvas::BeginDraw()
{
    RequireImage();
    m_drawing = true;
}

void TDispDIBCanvas::EndDraw()
{
    m_drawing = false;
}

void TDispDIBCanvas::RequireImage()
{
    if (m_stale)
        Rebuild();
}

void TDispDIBCanvas::Rebuild()
{
    if (m_drawing)
        throw EDispDIBError(kRebuildWhileDrawing);
    const int width = std::max(m_width, 1);
    const int height = std::max(m_height, 1);
    const int64_t rowLength = (int64_t(m_bitsPerPixel / 8) * width + 3) / 4 * 4;
    if (rowLength * height > kMaxImageBytes)
        throw EDispDIBError(kNoDeviceContext);
    m_bits.assign(size_t(rowLength * height), 0);
    m_imageWidth = width;
    m_imageHeight = height;
    m_imageBitsPerPixel = m_bitsPerPixel;
    m_rowLength = int(rowLength);
    m_color = 0;
    m_stale = false;
}

uint32_t TDispDIBCanvas::SelectColor(TColor color)
{
    const uint32_t bgr = color.ToRGB();
    if (m_imageBitsPerPixel == 24)
        m_color = bgr;
    else
        m_color = uint32_t(nearestIndex(m_palette, qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF)));
    return m_color;
}

void TDispDIBCanvas::FillSpan(uint8_t *row, int left, int right, int step) const
{
    if (m_imageBitsPerPixel == 8) {
        if (step == 1)
            std::memset(row + left, int(m_color), size_t(right - left));
        else
            for (int x = left; x < right; x += step)
                row[x] = uint8_t(m_color);
        return;
    }
    for (int x = left; x < right; x += step) {
        uint8_t *pixel = row + 3 * x;
        pixel[0] = uint8_t(m_color >> 16);
        pixel[1] = uint8_t(m_color >> 8);
        pixel[2] = uint8_t(m_color);
    }
}

void TDispDIBCanvas::ClearSurface()
{
    if (!m_drawing)
        return;
    if (m_imageBitsPerPixel == 8) {
        std::memset(m_bits.data(), int(m_color), m_bits.size());
        return;
    }
    for (int y = 0; y < m_imageHeight; ++y)
        FillSpan(Row(y), 0, m_imageWidth, 1);
}

void TDispDIBCanvas::FillBox(int left, int top, int right, int bottom, bool dotted)
{
    if (!m_drawing)
        return;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_imageWidth);
    bottom = std::min(bottom, m_imageHeight);
    // A box wholly beside or above the image clips to a negative extent.
    if (left >= right || top >= bottom)
        return;
    const int step = dotted ? 2 : 1;
    for (int y = top; y < bottom; y += step)
        FillSpan(Row(y), left, right, step);
}

void TDispDIBCanvas::CopyPixels(int x, int y, int width, int height, int sourceX, int sourceY,
                                const TDispDIBCanvas &source)
{
    if (!m_drawing || source.m_imageWidth != m_imageWidth || source.m_imageHeight != m_imageHeight ||
        source.m_imageBitsPerPixel != m_imageBitsPerPixel)
        return;
    // 64-bit, so that no offset given overflows on its way to the clip.
    int64_t dx = x, dy = y, sx = sourceX, sy = sourceY, w = width, h = height;
    const auto clipStart = [](int64_t &first, int64_t &other, int64_t &extent) {
        if (first < 0) {
            extent += first;
            other -= first;
            first = 0;
        }
    };
    clipStart(dx, sx, w);
    clipStart(sx, dx, w);
    clipStart(dy, sy, h);
    clipStart(sy, dy, h);
    w = std::min({w, m_imageWidth - dx, m_imageWidth - sx});
    h = std::min({h, m_imageHeight - dy, m_imageHeight - sy});
    if (w <= 0 || h <= 0)
        return;
    const int bytes = m_imageBitsPerPixel / 8;
    // Rows moving down in one image are copied bottom first, so no row is overwritten before it is read.
    const bool upwards = &source == this && dy > sy;
    for (int64_t i = 0; i < h; ++i) {
        const int64_t row = upwards ? h - 1 - i : i;
        std::memmove(Row(int(dy + row)) + dx * bytes, source.Row(int(sy + row)) + sx * bytes,
                     size_t(w * bytes));
    }
}

QImage TDispDIBCanvas::ToImage() const
{
    QImage image(m_imageWidth, m_imageHeight, QImage::Format_RGB32);
    for (int y = 0; y < m_imageHeight; ++y) {
        const uint8_t *row = Row(y);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < m_imageWidth; ++x)
            line[x] = m_imageBitsPerPixel == 8 ? m_palette[row[x]]
                                               : qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
    return image;
}

void TDispDIBCanvas::BlitTo(QPainter *target, const QRect &destination, int sourceX, int sourceY) const
{
    if (!target)
        return;
    target->drawImage(destination.topLeft(), ToImage(),
                      QRect(sourceX, sourceY, destination.width(), destination.height()));
}

TDispDIBGraphicControl::TDispDIBGraphicControl(QWidget *parent)
    : TDispGraphicControl(parent), m_dib(new TDispDIBCanvas(this))
{
    m_dib->SetSize(width(), height());
}

void TDispDIBGraphicControl::SetBitsPerPixel(int bitsPerPixel)
{
    m_dib->SetBitsPerPixel(bitsPerPixel);
    Invalidate();
}

const TDispDIBCanvas::TPalette *TDispDIBGraphicControl::Palette() const
{
    return m_dib->PaletteRealize() ? &m_dib->Palette() : nullptr;
}

void TDispDIBGraphicControl::DrawNow(const TDrawProcedure &procedure)
{
    DrawNow(procedure, rect());
}

void TDispDIBGraphicControl::DrawNow(const TDrawProcedure &procedure, const QRegion &area)
{
    if (!isVisible() || !parentWidget() || area.isEmpty())
        return;
    m_drawNow = &procedure;
    repaint(area);
    m_drawNow = nullptr;
    if (m_drawNowError)
        std::rethrow_exception(std::exchange(m_drawNowError, nullptr));
}

void TDispDIBGraphicControl::paintEvent(QPaintEvent *event)
{
    if (!m_drawNow) {
        TDispGraphicControl::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setClipRect(rect());
    // The paint runs inside the toolkit's repaint; an error waits until it has returned.
    try {
        (*m_drawNow)(painter);
    } catch (...) {
        m_drawNowError = std::current_exception();
    }
}

void TDispDIBGraphicControl::resizeEvent(QResizeEvent *event)
{
    m_dib->SetSize(width(), height());
    TDispGraphicControl::resizeEvent(event);
}
