#include "displays/ChartBrush.h"

TChartBrush::TChartBrush(QObject *parent) : TPersistent(parent)
{}

void TChartBrush::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TChartBrush::SetStyle(TBrushStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}
