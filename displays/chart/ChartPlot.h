#pragma once

#include <QPoint>

// The plot rectangle; right and bottom are the first pixels past it.
struct TChartPlot
{
    int left = 0;
    int top = 0;
    int right = 1;
    int bottom = 1;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
    bool Contains(const QPoint &point) const
    {
        return point.x() >= left && point.x() < right && point.y() >= top && point.y() < bottom;
    }

    bool operator==(const TChartPlot &) const = default;
};

// The limits an axis would take from its series.
struct TChartRange
{
    double minimum = 0;
    double maximum = 0;
};
