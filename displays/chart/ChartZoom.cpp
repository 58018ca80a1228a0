#include "displays/chart/ChartZoom.h"

#include <cstdlib>

#include <QPainter>

#include "displays/chart/Chart.h"
#include "runtime/ErrorBox.h"

namespace {

// A zoom drag must cover more than this, across and down, to count.
constexpr int kZoomThreshold = 16;

} // namespace

std::array<TChartAxis *, 4> TChartZoom::Axes() const
{
    return {m_chart.LeftAxis(), m_chart.TopAxis(), m_chart.RightAxis(), m_chart.BottomAxis()};
}

void TChartZoom::Undo()
{
    if (!m_notZoomed) {
        const std::array<TChartAxis *, 4> axes = Axes();
        for (size_t i = 0; i < axes.size(); ++i)
            axes[i]->RestoreLimits(m_savedLimits[i]);
        m_notZoomed = true;
    }
    CallHandler(m_chart.OnUndoZoom, &m_chart);
    m_chart.Invalidate();
}

void TChartZoom::Press(const QPoint &point, Qt::MouseButton button)
{
    if (button == Qt::LeftButton && m_chart.AllowZoom())
        m_zoom = {true, point, point};
    else if (button == Qt::RightButton && m_chart.AllowPanning() != TChart::pmNone)
        m_pan = {true, point, point};
}

void TChartZoom::Move(const QPoint &point)
{
    if (m_zoom.active) {
        m_zoom.current = point;
        m_chart.update();
    }
    if (m_pan.active) {
        if (m_chart.Plot().Contains(point))
            Pan(point);
        else
            m_pan.active = false;
    }
}

void TChartZoom::Release(const QPoint &point, Qt::MouseButton button)
{
    if (button == Qt::LeftButton && m_zoom.active) {
        m_zoom.current = point;
        FinishZoom();
    } else if (button == Qt::RightButton) {
        m_pan.active = false;
    }
}

void TChartZoom::DrawRectangle(QPainter &painter) const
{
    if (!m_zoom.active)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen((m_chart.Color() == clWhite ? clRed : m_chart.Color()).ToQColor());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(m_zoom.start, m_zoom.current).normalized());
    painter.restore();
}

void TChartZoom::SaveLimits()
{
    if (!m_notZoomed)
        return;
    const std::array<TChartAxis *, 4> axes = Axes();
    for (size_t i = 0; i < axes.size(); ++i)
        m_savedLimits[i] = axes[i]->Limits();
    m_notZoomed = false;
}

void TChartZoom::FinishZoom()
{
    m_zoom.active = false;
    const QPoint from = m_zoom.start;
    const QPoint to = m_zoom.current;
    m_chart.update();
    if (std::abs(to.x() - from.x()) <= kZoomThreshold || std::abs(to.y() - from.y()) <= kZoomThreshold)
        return;
    if (to.x() < from.x() || to.y() < from.y()) {
        Undo();
        return;
    }
    SaveLimits();
    for (TChartAxis *axis : Axes()) {
        if (axis->Horizontal())
            axis->SetMinMax(axis->CalcPosPoint(from.x()), axis->CalcPosPoint(to.x()));
        else
            axis->SetMinMax(axis->CalcPosPoint(to.y()), axis->CalcPosPoint(from.y()));
    }
    CallHandler(m_chart.OnZoom, &m_chart);
}

void TChartZoom::Pan(const QPoint &to)
{
    const QPoint from = m_pan.current;
    m_pan.current = to;
    const TChart::TPanningMode mode = m_chart.AllowPanning();
    const bool across = mode == TChart::pmHorizontal || mode == TChart::pmBoth;
    const bool down = mode == TChart::pmVertical || mode == TChart::pmBoth;
    bool moved = false;
    for (TChartAxis *axis : Axes()) {
        const bool horizontal = axis->Horizontal();
        if ((horizontal && (!across || from.x() == to.x())) || (!horizontal && (!down || from.y() == to.y())))
            continue;
        const double shift = horizontal ? axis->CalcPosPoint(from.x()) - axis->CalcPosPoint(to.x())
                                        : axis->CalcPosPoint(from.y()) - axis->CalcPosPoint(to.y());
        const double minimum = axis->Minimum() + shift;
        const double maximum = axis->Maximum() + shift;
        if (m_chart.OnAllowScroll && !m_chart.OnAllowScroll(&m_chart, axis, minimum, maximum))
            continue;
        SaveLimits();
        axis->SetMinMax(minimum, maximum);
        moved = true;
    }
    if (moved)
        CallHandler(m_chart.OnScroll, &m_chart);
}
