#pragma once

#include <array>

#include <QPoint>

#include "displays/chart/ChartAxis.h"

class QPainter;
class TChart;

// A chart's zoom and pan by mouse drags: a left drag right and down zooms to the rectangle it covers, one
// any other way undoes the zoom, a right drag inside the plot pans. It keeps the axes' limits from before
// the first zoom or pan, to go back to.
class TChartZoom
{
public:
    explicit TChartZoom(TChart &chart) : m_chart(chart) {}
    TChartZoom(const TChartZoom &) = delete;
    TChartZoom &operator=(const TChartZoom &) = delete;

    bool Zoomed() const { return !m_notZoomed; }
    // The limits from before, and the undo event, whether or not the chart was zoomed.
    void Undo();

    // A press on the chart where a drag may start.
    void Press(const QPoint &point, Qt::MouseButton button);
    void Move(const QPoint &point);
    void Release(const QPoint &point, Qt::MouseButton button);
    // The rectangle of a left drag under way, over the chart's picture.
    void DrawRectangle(QPainter &painter) const;

private:
    struct TDrag
    {
        bool active = false;
        QPoint start;
        QPoint current;
    };

    std::array<TChartAxis *, 4> Axes() const;
    void SaveLimits();
    void FinishZoom();
    void Pan(const QPoint &to);

    TChart &m_chart;
    TDrag m_zoom;
    TDrag m_pan;
    bool m_notZoomed = true;
    std::array<TChartAxis::TLimits, 4> m_savedLimits{};
};
