#pragma once

#include <QImage>
#include <QString>

#include "runtime/Color.h"
#include "runtime/Persistent.h"

class QPainter;

// The images of a page control's tabs: a strip of NumGlyphs equal-width images, image i for page i, so
// that hiding a tab does not shift the others' images. Pixels of the transparent colour are left out.
class TExtGlyphs : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExtGlyphs)
    Q_PROPERTY(QString Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(TGlyphPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(TColor TransparentColor READ TransparentColor WRITE SetTransparentColor)

public:
    // Where the image stands beside the caption.
    enum TGlyphPosition
    {
        glPosLeft,
        glPosTop,
    };
    Q_ENUM(TGlyphPosition)

    explicit TExtGlyphs(QObject *parent = nullptr);

    // The name of an embedded image file; an unknown name gives no images.
    QString Glyph() const { return m_glyphName; }
    void SetGlyph(const QString &name);
    void SetGlyphBitmap(const QImage &bitmap);
    // Negative counts are taken as 0, no images.
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int numGlyphs);
    TGlyphPosition Position() const { return m_position; }
    void SetPosition(TGlyphPosition position);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);
    TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(TColor color);

    // The size of one image; (0, 0) without images.
    QSize ImageSize() const;
    bool HasImage(int index) const;
    void Draw(QPainter &painter, const QPoint &at, int index) const;

private:
    void Prepare();

    QString m_glyphName;
    QImage m_bitmap;
    // The bitmap with its transparent colour see-through, made once per change.
    QImage m_prepared;
    int m_numGlyphs = 0;
    TGlyphPosition m_position = glPosLeft;
    int m_spacing = 5;
    TColor m_transparentColor{0xFF00FF};
};
