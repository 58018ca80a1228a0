#pragma once

#include <array>

#include <QImage>
#include <QRgb>

// A button's glyph: a bitmap of NumGlyphs equal-width slices and the image each button state shows, made
// once per state index and kept in the shared glyph cache. Pixels of the transparent colour (the
// bitmap's lower-left pixel) are left out of every image.
class TButtonGlyph
{
public:
    static constexpr int kStates = 8;

    TButtonGlyph() = default;
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph &) = delete;
    TButtonGlyph &operator=(const TButtonGlyph &) = delete;

    const QImage &Bitmap() const { return m_bitmap; }
    // A bitmap that is a whole number of squares wide, fewer than 6, takes that many slices.
    void SetBitmap(const QImage &bitmap);
    int NumGlyphs() const { return m_numGlyphs; }
    // 0 is refused.
    void SetNumGlyphs(int numGlyphs);
    bool UnColorMain() const { return m_unColorMain; }
    void SetUnColorMain(bool unColorMain);

    bool IsEmpty() const { return m_bitmap.isNull(); }
    QSize SliceSize() const;
    // The image of state index 0 to 7; an empty image without a bitmap.
    QImage Image(int index);

    // Grey levels of the slice by brightness, against the slice's mean; its (0, 0) colour is background.
    static QImage Uncoloured(const QImage &slice);
    // The slice's shape, embossed in the highlight colour under the shadow colour.
    static QImage Disabled(const QImage &slice, QRgb transparentColor);

private:
    QImage Slice(int index) const;
    QImage Prepared(int index) const;
    void Clear();

    QImage m_bitmap;
    int m_numGlyphs = 1;
    bool m_unColorMain = true;
    QRgb m_transparentColor = 0;
    QSize m_cachedSize;
    std::array<int, kStates> m_cached{-1, -1, -1, -1, -1, -1, -1, -1};
};
