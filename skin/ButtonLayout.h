#pragma once

#include <QRect>

#include "runtime/Color.h"
#include "runtime/Persistent.h"

// Where a button places its glyph and caption.
class TButtonLayout : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TButtonLayout)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TTextAlign AlignText2Glyph READ AlignText2Glyph WRITE SetAlignText2Glyph)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(int OffsetX READ OffsetX WRITE SetOffsetX)
    Q_PROPERTY(int OffsetY READ OffsetY WRITE SetOffsetY)
    Q_PROPERTY(bool Arrow READ Arrow WRITE SetArrow)
    Q_PROPERTY(TColor ArrowColor READ ArrowColor WRITE SetArrowColor)
    Q_PROPERTY(int ArrowIndent READ ArrowIndent WRITE SetArrowIndent)
    Q_PROPERTY(TArrowPosition ArrowPosition READ ArrowPosition WRITE SetArrowPosition)
    Q_PROPERTY(int ArrowSize READ ArrowSize WRITE SetArrowSize)

public:
    // Place of the glyph-and-caption box in the button, by thirds.
    enum TAlignment
    {
        agLeftTop,
        agTop,
        agRightTop,
        agLeft,
        agCenter,
        agRight,
        agLeftBottom,
        agBottom,
        agRightBottom,
    };
    Q_ENUM(TAlignment)
    // Where the caption stands next to the glyph.
    enum TTextAlign
    {
        taLeft,
        taRight,
        taTop,
        taBottom,
    };
    Q_ENUM(TTextAlign)
    enum TArrowPosition
    {
        apRightText,
        apRightButton,
    };
    Q_ENUM(TArrowPosition)

    // A glyph and a caption as one box in `content`.
    struct TPlaced
    {
        QRect box;
        QRect glyph;
        QRect text;
    };

    explicit TButtonLayout(QObject *parent = nullptr);

    // Side by side or stacked as `side` says, the smaller centred across the other, `spacing` apart only
    // when both exist; the box, with room of `trailer` at its right (a drop-down arrow's), placed in
    // `content` by `alignment`. Buttons and tabs lay out their glyph and caption this one way.
    static TPlaced Place(const QRect &content, QSize glyph, QSize text, int spacing, TTextAlign side,
                         TAlignment alignment, QSize trailer = QSize(0, 0));

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TTextAlign AlignText2Glyph() const { return m_alignText2Glyph; }
    void SetAlignText2Glyph(TTextAlign align);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);
    int OffsetX() const { return m_offsetX; }
    void SetOffsetX(int offset);
    int OffsetY() const { return m_offsetY; }
    void SetOffsetY(int offset);
    bool Arrow() const { return m_arrow; }
    void SetArrow(bool arrow);
    TColor ArrowColor() const { return m_arrowColor; }
    void SetArrowColor(TColor color);
    int ArrowIndent() const { return m_arrowIndent; }
    void SetArrowIndent(int indent);
    TArrowPosition ArrowPosition() const { return m_arrowPosition; }
    void SetArrowPosition(TArrowPosition position);
    int ArrowSize() const { return m_arrowSize; }
    void SetArrowSize(int size);

private:
    TAlignment m_alignment = agCenter;
    TTextAlign m_alignText2Glyph = taRight;
    int m_spacing = 2;
    int m_offsetX = 0;
    int m_offsetY = 0;
    bool m_arrow = false;
    TColor m_arrowColor = clBlack;
    int m_arrowIndent = 3;
    TArrowPosition m_arrowPosition = apRightText;
    int m_arrowSize = 3;
};
