#include "displays/chart/ChartPen.h"

#include <algorithm>

TChartPen::TChartPen(QObject *parent, TColor color, int width, TPenStyle style)
    : TPersistent(parent), m_color(color), m_width(std::max(1, width)), m_style(style)
{}

void TChartPen::SetVisible(bool visible)
{
    Store(m_visible, visible);
}

void TChartPen::SetColor(TColor color)
{
    Store(m_color, color);
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
    Store(m_style, style);
}
