#include "displays/AxisTitle.h"

#include "displays/ChartFont.h"

TChartAxisTitle::TChartAxisTitle(QObject *parent, int angle)
    : TPersistent(parent), m_angle(angle), m_font(NewChartFont(this, [this] { Changed(); }))
{}

void TChartAxisTitle::SetCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Changed();
}

void TChartAxisTitle::SetAngle(int angle)
{
    angle = ((angle % 360) + 360) % 360;
    if (m_angle == angle)
        return;
    m_angle = angle;
    Changed();
}
