#include "displays/chart/SeriesMarks.h"

TSeriesMarks::TSeriesMarks(QObject *parent) : TPersistent(parent)
{}

void TSeriesMarks::SetVisible(bool visible)
{
    Store(m_visible, visible);
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle style)
{
    Store(m_style, style);
}

void TSeriesMarks::SetArrowLength(int length)
{
    Store(m_arrowLength, length);
}
