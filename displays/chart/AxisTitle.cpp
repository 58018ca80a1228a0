#include "displays/chart/AxisTitle.h"

#include "displays/chart/ChartFont.h"

TChartAxisTitle::TChartAxisTitle(QObject *parent, int angle)
    : TPersistent(parent), m_angle(angle), m_font(NewChartFont(this, [this] { Changed(); }))
{}

void TChartAxisTitle::SetCaption(const QString &caption)
{
    Store(m_caption, caption);
}

void TChartAxisTitle::SetAngle(int angle)
{
    angle = ((angle % 360) + 360) % 360;
    if (m_angle == angle)
        return;
    m_angle = angle;
    Changed();
}
