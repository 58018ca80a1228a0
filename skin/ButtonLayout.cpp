#include "skin/ButtonLayout.h"

#include <algorithm>

namespace {

// The start of a span of `length` inside `available` at third 0, 1 or 2.
int placed(int third, int available, int length)
{
    return third == 0 ? 0 : third == 1 ? (available - length) / 2 : available - length;
}

} // namespace

TButtonLayout::TButtonLayout(QObject *parent) : TPersistent(parent)
{}

TButtonLayout::TPlaced TButtonLayout::Place(const QRect &content, QSize glyph, QSize text, int spacing,
                                            TTextAlign side, TAlignment alignment, QSize trailer)
{
    if (glyph.isEmpty() || text.isEmpty())
        spacing = 0;
    const bool sideBySide = side == taLeft || side == taRight;
    const QSize pair =
        sideBySide ? QSize(glyph.width() + spacing + text.width(), std::max(glyph.height(), text.height()))
                   : QSize(std::max(glyph.width(), text.width()), glyph.height() + spacing + text.height());
    const QSize size(pair.width() + trailer.width(), std::max(pair.height(), trailer.height()));
    const QRect box(content.topLeft() + QPoint(placed(alignment % 3, content.width(), size.width()),
                                               placed(alignment / 3, content.height(), size.height())),
                    size);
    const auto across = [&](QSize part) { return (pair.width() - part.width()) / 2; };
    const auto down = [&](QSize part) { return (size.height() - part.height()) / 2; };
    QPoint glyphAt, textAt;
    switch (side) {
    case taLeft:
        textAt = QPoint(0, down(text));
        glyphAt = QPoint(text.width() + spacing, down(glyph));
        break;
    case taRight:
        glyphAt = QPoint(0, down(glyph));
        textAt = QPoint(glyph.width() + spacing, down(text));
        break;
    case taTop:
        textAt = QPoint(across(text), 0);
        glyphAt = QPoint(across(glyph), text.height() + spacing);
        break;
    case taBottom:
        glyphAt = QPoint(across(glyph), 0);
        textAt = QPoint(across(text), glyph.height() + spacing);
        break;
    }
    return {box, QRect(box.topLeft() + glyphAt, glyph), QRect(box.topLeft() + textAt, text)};
}

void TButtonLayout::SetAlignment(TAlignment alignment)
{
    Store(m_alignment, alignment);
}

void TButtonLayout::SetAlignText2Glyph(TTextAlign align)
{
    Store(m_alignText2Glyph, align);
}

void TButtonLayout::SetSpacing(int spacing)
{
    Store(m_spacing, spacing);
}

void TButtonLayout::SetOffsetX(int offset)
{
    Store(m_offsetX, offset);
}

void TButtonLayout::SetOffsetY(int offset)
{
    Store(m_offsetY, offset);
}

void TButtonLayout::SetArrow(bool arrow)
{
    Store(m_arrow, arrow);
}

void TButtonLayout::SetArrowColor(TColor color)
{
    Store(m_arrowColor, color);
}

void TButtonLayout::SetArrowIndent(int indent)
{
    Store(m_arrowIndent, indent);
}

void TButtonLayout::SetArrowPosition(TArrowPosition position)
{
    Store(m_arrowPosition, position);
}

void TButtonLayout::SetArrowSize(int size)
{
    Store(m_arrowSize, size);
}
