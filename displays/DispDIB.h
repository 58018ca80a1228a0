#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

#include <QImage>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QRgb>

#include "displays/DispObj.h"
#include "runtime/Color.h"
#include "runtime/Exception.h"
#include "runtime/TestPeer.h"

class QPainter;

class EDispDIBError : public Exception
{
public:
    using Exception::Exception;
};

// An off-screen image that displays write pixels into directly: bottom-up rows, each padded to 4 bytes,
// 8-bit palette indices or 24-bit blue-green-red. The raw routines work only between BeginDraw and
// EndDraw, on the image as it stood at BeginDraw, and clip everything to it.
class TDispDIBCanvas : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispDIBCanvas)
    Q_PROPERTY(int BitsPerPixel READ BitsPerPixel WRITE SetBitsPerPixel)
    Q_PROPERTY(bool PaletteRealize READ PaletteRealize WRITE SetPaletteRealize)
    Q_PROPERTY(bool PaletteMapped READ PaletteMapped WRITE SetPaletteMapped)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    using TPalette = std::array<QRgb, 256>;

    // The largest image, in bytes, that a canvas allocates; anything larger cannot be built.
    static constexpr int64_t kMaxImageBytes = int64_t(256) << 20;

    explicit TDispDIBCanvas(QObject *parent = nullptr);

    int BitsPerPixel() const { return m_bitsPerPixel; }
    // 8 or 24; anything else throws and the depth stays. The image is rebuilt at once.
    void SetBitsPerPixel(int bitsPerPixel);
    bool PaletteRealize() const { return m_paletteRealize; }
    void SetPaletteRealize(bool realize);
    bool PaletteMapped() const { return m_paletteMapped; }
    void SetPaletteMapped(bool mapped) { m_paletteMapped = mapped; }
    int Width() const { return m_width; }
    void SetWidth(int width) { SetSize(width, m_height); }
    int Height() const { return m_height; }
    void SetHeight(int height) { SetSize(m_width, height); }
    // The image is rebuilt, black, at the next BeginDraw.
    void SetSize(int width, int height);

    void BeginDraw();
    void EndDraw();

    // Makes the colour current for the raw routines and returns it: the RGB value at 24 bits, the index of
    // the nearest palette entry at 8 bits.
    uint32_t SelectColor(TColor color);
    void ClearSurface();
    // Right and bottom exclusive; a reversed rectangle is normalised. Dotted fills every second pixel of
    // every second row, from the top-left corner.
    void FillBox(int left, int top, int right, int bottom, bool dotted);
    // Copies a block from an image of the same size and depth (or from this one, overlap-safe).
    void CopyPixels(int x, int y, int width, int height, int sourceX, int sourceY,
                    const TDispDIBCanvas &source);
    // Copies the destination rectangle's size from the source point to its top-left corner, in one block.
    void BlitTo(QPainter *target, const QRect &destination, int sourceX, int sourceY) const;

    // The image as it is stored.
    const uint8_t *Bits() const { return m_bits.data(); }
    int RowLength() const { return m_rowLength; }
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    const TPalette &Palette() const { return m_palette; }
    // The image top-down, for the screen.
    QImage ToImage() const;

private:
    friend struct TTestPeer<TDispDIBCanvas>;
    // What the canvas needs before drawing: an image of the current size and depth.
    void RequireImage();
    void Rebuild();
    uint8_t *Row(int y) { return m_bits.data() + int64_t(m_imageHeight - 1 - y) * m_rowLength; }
    const uint8_t *Row(int y) const { return m_bits.data() + int64_t(m_imageHeight - 1 - y) * m_rowLength; }
    void FillSpan(uint8_t *row, int left, int right, int step) const;

    int m_bitsPerPixel = 8;
    bool m_paletteRealize = false;
    bool m_paletteMapped = false;
    int m_width = 1;
    int m_height = 1;
    bool m_stale = true;
    bool m_drawing = false;

    std::vector<uint8_t> m_bits;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_imageBitsPerPixel = 8;
    int m_rowLength = 0;
    TPalette m_palette{};
    uint32_t m_color = 0;
};

// A display that renders into its own off-screen image, sized to the control.
class TDispDIBGraphicControl : public TDispGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispDIBGraphicControl)

public:
    using TDrawProcedure = std::function<void(QPainter &painter)>;

    explicit TDispDIBGraphicControl(QWidget *parent = nullptr);

    TDispDIBCanvas *DIB() const { return m_dib; }
    int BitsPerPixel() const { return m_dib->BitsPerPixel(); }
    virtual void SetBitsPerPixel(int bitsPerPixel);
    // The canvas palette while palette realisation is on, else null.
    const TDispDIBCanvas::TPalette *Palette() const;

    // Draws at once, outside the paint cycle, with a painter on the control; nothing when the control is
    // hidden or has no parent. What the procedure throws reaches the caller. With an area, only the pixels
    // in it reach the screen.
    void DrawNow(const TDrawProcedure &procedure);
    void DrawNow(const TDrawProcedure &procedure, const QRegion &area);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TDispDIBCanvas *m_dib;
    const TDrawProcedure *m_drawNow = nullptr;
    std::exception_ptr m_drawNowError;
};
