#pragma once

#include "displays/chart/Chart.h"
#include "displays/chart/CustomBarSeries.h"

template <> struct TTestPeer<TChart>
{
    static TChart::TLimits AutomaticLimits(const TChart &chart, const TChartAxis &axis)
    {
        return chart.AutomaticLimits(axis);
    }
};

template <> struct TTestPeer<TChartAxis>
{
    static double LabelStep(const TChartAxis &axis) { return axis.LabelStep(); }
    static double NextStep(double step) { return TChartAxis::NextStep(step); }
};

template <> struct TTestPeer<TCustomBarSeries>
{
    static int BarWidth(const TCustomBarSeries &series) { return series.m_barWidth; }
    static QRect BarBounds(const TCustomBarSeries &series, int index) { return series.BarBounds(index); }
};
