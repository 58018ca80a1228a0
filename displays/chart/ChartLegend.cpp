#include "displays/chart/ChartLegend.h"

TChartLegend::TChartLegend(QObject *parent) : TPersistent(parent)
{}

void TChartLegend::SetVisible(bool visible)
{
    Store(m_visible, visible);
}
