#include "displays/SeriesMarks.h"

TSeriesMarks::TSeriesMarks(QObject *parent) : TPersistent(parent)
{}

void TSeriesMarks::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}

void TSeriesMarks::SetArrowLength(int length)
{
    if (m_arrowLength == length)
        return;
    m_arrowLength = length;
    Changed();
}
