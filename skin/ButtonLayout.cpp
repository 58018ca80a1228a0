#include "skin/ButtonLayout.h"

TButtonLayout::TButtonLayout(QObject *parent) : TPersistent(parent)
{}

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
