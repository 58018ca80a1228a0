#include "displays/chart/ChartCanvas.h"

#include <algorithm>
#include <array>
#include <span>

#include <QBrush>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include "displays/chart/ChartColors.h"

namespace {

// On and off runs of each pen style, in pixels.
std::span<const int> pattern(TChartPen::TPenStyle style)
{
    static constexpr std::array<int, 2> dash{6, 2};
    static constexpr std::array<int, 2> dot{1, 1};
    static constexpr std::array<int, 4> dashDot{6, 2, 1, 2};
    static constexpr std::array<int, 6> dashDotDot{6, 2, 1, 2, 1, 2};
    switch (style) {
    case TChartPen::psDash:
        return dash;
    case TChartPen::psDot:
        return dot;
    case TChartPen::psDashDot:
        return dashDot;
    case TChartPen::psDashDotDot:
        return dashDotDot;
    case TChartPen::psSolid:
    case TChartPen::psClear:
        break;
    }
    return {};
}

// Runs of a line of `length` pixels as (offset, count) pairs, passed to `run`.
template <class Run> void forEachRun(int length, TChartPen::TPenStyle style, Run run)
{
    const std::span<const int> runs = pattern(style);
    if (runs.empty()) {
        run(0, length);
        return;
    }
    size_t i = 0;
    for (int at = 0; at < length; at += runs[i], i = (i + 1) % runs.size())
        if (i % 2 == 0)
            run(at, std::min(runs[i], length - at));
}

// A line along a row (or a column) at `at`, from `from` up to `to` with `to` left out, `width` thick.
void straightLine(QPainter &painter, bool alongRow, int at, int from, int to, TColor color, int width,
                  TChartPen::TPenStyle style)
{
    const QColor qcolor = color.ToQColor();
    const int start = std::min(from, to + 1);
    const int side = at - (width - 1) / 2;
    forEachRun(std::abs(to - from), style, [&](int offset, int count) {
        painter.fillRect(alongRow ? QRect(start + offset, side, count, width)
                                  : QRect(side, start + offset, width, count),
                         qcolor);
    });
}

} // namespace

TColor ChartCanvas::PenColor(const TChartPen &pen, TColor fallback)
{
    return pen.Color() == ColorDefault ? fallback : pen.Color();
}

void ChartCanvas::HorizontalLine(QPainter &painter, int x0, int x1, int y, const TChartPen &pen,
                                 TColor fallback)
{
    if (pen.Draws())
        HorizontalLine(painter, x0, x1, y, PenColor(pen, fallback), pen.Width(), pen.Style());
}

void ChartCanvas::VerticalLine(QPainter &painter, int x, int y0, int y1, const TChartPen &pen,
                               TColor fallback)
{
    if (pen.Draws())
        VerticalLine(painter, x, y0, y1, PenColor(pen, fallback), pen.Width(), pen.Style());
}

void ChartCanvas::HorizontalLine(QPainter &painter, int x0, int x1, int y, TColor color, int width,
                                 TChartPen::TPenStyle style)
{
    straightLine(painter, true, y, x0, x1, color, width, style);
}

void ChartCanvas::VerticalLine(QPainter &painter, int x, int y0, int y1, TColor color, int width,
                               TChartPen::TPenStyle style)
{
    straightLine(painter, false, x, y0, y1, color, width, style);
}

void ChartCanvas::Rectangle(QPainter &painter, const QRect &rect, TColor outline, int outlineWidth,
                            const QBrush &inside)
{
    const QRect inner = rect.adjusted(outlineWidth, outlineWidth, -outlineWidth, -outlineWidth);
    if (outlineWidth > 0) {
        const QColor color = outline.ToQColor();
        const int depthX = std::min(outlineWidth, rect.width());
        const int depthY = std::min(outlineWidth, rect.height());
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), depthY), color);
        painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - depthY, rect.width(), depthY), color);
        painter.fillRect(QRect(rect.left(), rect.top(), depthX, rect.height()), color);
        painter.fillRect(QRect(rect.right() + 1 - depthX, rect.top(), depthX, rect.height()), color);
    }
    if (inside.style() != Qt::NoBrush && inner.width() > 0 && inner.height() > 0)
        painter.fillRect(inner, inside);
}

void ChartCanvas::Text(QPainter &painter, const QFont &font, TColor color, int x, int y,
                       THorizontal horizontal, TVertical vertical, const QString &text, int angle)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    int left = 0;
    if (horizontal == THorizontal::Centre)
        left = -width / 2;
    else if (horizontal == THorizontal::Right)
        left = -width;
    const int baseline = vertical == TVertical::Top ? metrics.ascent() : -metrics.descent();
    painter.save();
    painter.setFont(font);
    painter.setPen(color.ToQColor());
    painter.translate(x, y);
    if (angle != 0)
        painter.rotate(-angle);
    painter.drawText(QPoint(left, baseline), text);
    painter.restore();
}
