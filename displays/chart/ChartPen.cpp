#include "displays/ChartPen.h"

#include <algorithm>

TChartPen::TChartPen(QObject *parent, TColor color, int width, TPenStyle style)
    : TPersistent(parent), m_color(color), m_width(std::max(1, width)), m_style(style)
{}

void TChartPen::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}

void TChartPen::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TChartPen::SetWidth(int width)
{
    width = std::max(1, width);
    if (m_width == width)
        return;
    m_width = width;
    Changed();
}

void TChartPen::SetStyle(TPenStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}
