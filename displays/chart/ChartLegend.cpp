#include "displays/ChartLegend.h"

TChartLegend::TChartLegend(QObject *parent) : TPersistent(parent)
{}

void TChartLegend::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}
