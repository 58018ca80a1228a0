#include "displays/chart/ChartBrush.h"

TChartBrush::TChartBrush(QObject *parent) : TPersistent(parent)
{}

void TChartBrush::SetColor(TColor color)
{
    Store(m_color, color);
}

void TChartBrush::SetStyle(TBrushStyle style)
{
    Store(m_style, style);
}
