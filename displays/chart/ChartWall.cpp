#include "displays/ChartWall.h"

TChartWall::TChartWall(QObject *parent, TColor color) : TPersistent(parent), m_color(color)
{}

void TChartWall::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}
