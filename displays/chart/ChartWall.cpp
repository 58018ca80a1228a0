#include "displays/chart/ChartWall.h"

TChartWall::TChartWall(QObject *parent, TColor color) : TPersistent(parent), m_color(color)
{}

void TChartWall::SetColor(TColor color)
{
    Store(m_color, color);
}
