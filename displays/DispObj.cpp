#include "displays/DispObj.h"

#include <QPainter>

#include "runtime/Edges.h"

namespace {

QRect drawBevelCut(QPainter &painter, const QRect &r, TDispBevel::TBevelCut cut, int width, TColor light,
                   TColor shadow)
{
    switch (cut) {
    case TDispBevel::bvLowered:
        return DrawEdges(painter, r, width, shadow, light);
    case TDispBevel::bvRaised:
        return DrawEdges(painter, r, width, light, shadow);
    case TDispBevel::bvNone:
        break;
    }
    return r;
}

QRect shrink(const QRect &r, int by)
{
    return r.adjusted(by, by, -by, -by);
}

} // namespace

TDispObject::TDispObject(QObject *parent) : TPersistent(parent)
{}

TDispBevel::TDispBevel(QObject *parent)
    : TDispObject(parent), m_colors{clBtnFace,   clBlack,        clBtnHighlight,
                                    clBtnShadow, clBtnHighlight, clBtnShadow}
{}

void TDispBevel::SetBevelInner(TBevelCut cut)
{
    Store(m_bevelInner, cut);
}

void TDispBevel::SetBevelOuter(TBevelCut cut)
{
    Store(m_bevelOuter, cut);
}

void TDispBevel::SetBevelInnerWidth(int width)
{
    Store(m_bevelInnerWidth, width);
}

void TDispBevel::SetBevelOuterWidth(int width)
{
    Store(m_bevelOuterWidth, width);
}

void TDispBevel::SetBorderStyle(TBorderStyle style)
{
    Store(m_borderStyle, style);
}

void TDispBevel::SetBorderWidth(int width)
{
    Store(m_borderWidth, width);
}

void TDispBevel::SetBorderSpace(int space)
{
    Store(m_borderSpace, space);
}

void TDispBevel::SetColor(TColorIndex index, TColor color)
{
    if (index >= ciBorder && index < ciCount)
        Store(m_colors[index], color);
}

void TDispBevel::Assign(const TDispBevel &source)
{
    if (&source == this)
        return;
    BeginUpdate();
    SetBevelInner(source.m_bevelInner);
    SetBevelOuter(source.m_bevelOuter);
    SetBevelInnerWidth(source.m_bevelInnerWidth);
    SetBevelOuterWidth(source.m_bevelOuterWidth);
    SetBorderStyle(source.m_borderStyle);
    SetBorderWidth(source.m_borderWidth);
    SetBorderSpace(source.m_borderSpace);
    for (TColorIndex index :
         {ciBorder, ciBorderSpace, ciOuterLight, ciOuterShadow, ciInnerLight, ciInnerShadow})
        SetColor(index, source.m_colors[index]);
    EndUpdate();
}

int TDispBevel::BevelExtent() const
{
    return m_borderWidth + m_borderSpace + (m_bevelOuter != bvNone ? m_bevelOuterWidth : 0) +
           (m_bevelInner != bvNone ? m_bevelInnerWidth : 0) + (m_borderStyle == bsSingle ? 1 : 0);
}

QRect TDispBevel::PaintBevel(QPainter &painter, const QRect &outer, bool drawBorder) const
{
    QRect r = outer;
    if (m_borderStyle == bsSingle)
        r = DrawEdges(painter, r, 1, clWindowFrame, clWindowFrame);
    r = drawBevelCut(painter, r, m_bevelOuter, m_bevelOuterWidth, m_colors[ciOuterLight],
                     m_colors[ciOuterShadow]);
    r = drawBorder ? DrawEdges(painter, r, m_borderWidth, m_colors[ciBorder], m_colors[ciBorder])
                   : shrink(r, m_borderWidth);
    r = drawBevelCut(painter, r, m_bevelInner, m_bevelInnerWidth, m_colors[ciInnerLight],
                     m_colors[ciInnerShadow]);
    return DrawEdges(painter, r, m_borderSpace, m_colors[ciBorderSpace], m_colors[ciBorderSpace]);
}

TDispCustomPanel::TDispCustomPanel(QWidget *parent) : TWinControl(parent), m_bevel(new TDispBevel(this))
{
    m_bevel->SetChangeHandler([this] { BevelChanged(); });
}

TDispCustomPanel::~TDispCustomPanel()
{
    m_bevel->SetChangeHandler({});
}

QRect TDispCustomPanel::InnerRect() const
{
    return shrink(rect(), m_bevel->BevelExtent());
}

void TDispCustomPanel::BevelChanged()
{
    Invalidate();
}

void TDispCustomPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect inner = m_bevel->PaintBevel(painter, rect(), true);
    if (!inner.isValid())
        return;
    painter.fillRect(inner, Color().ToQColor());
    if (!Caption().isEmpty()) {
        painter.setPen(Font()->Color().ToQColor());
        painter.drawText(inner, Qt::AlignCenter, Caption());
    }
}

TDispGraphicControl::TDispGraphicControl(QWidget *parent)
    : TGraphicControl(parent), m_bevel(new TDispBevel(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_bevel->SetChangeHandler([this] { BevelChanged(); });
}

TDispGraphicControl::~TDispGraphicControl()
{
    m_bevel->SetChangeHandler({});
}

QRect TDispGraphicControl::InnerRect() const
{
    return shrink(rect(), m_bevel->BevelExtent());
}

void TDispGraphicControl::BevelChanged()
{
    Invalidate();
}

void TDispGraphicControl::Paint(QPainter &painter)
{
    const QRect inner = m_bevel->PaintBevel(painter, rect(), true);
    if (inner.isValid())
        painter.fillRect(inner, Color().ToQColor());
}

void TDispGraphicControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Paint(painter);
}
