#pragma once

#include <QString>

#include "displays/chart/ChartPen.h"
#include "runtime/Color.h"

class QBrush;
class QFont;
class QPainter;
class QRect;

// The chart's drawing primitives on a painter, pixel-exact: lines run along a row or a column and leave
// out their end pixel, rectangles leave out their right and bottom edges, text is placed by its cell.
namespace ChartCanvas {

enum class THorizontal
{
    Left,
    Centre,
    Right,
};

enum class TVertical
{
    Top,
    Bottom,
};

// The pen's colour, with `fallback` standing in for the chart's default colour.
TColor PenColor(const TChartPen &pen, TColor fallback);

// A row line from x0 up to x1 (x1 left out), or a column line from y0 up to y1, in the pen's style and
// width; nothing when the pen draws nothing.
void HorizontalLine(QPainter &painter, int x0, int x1, int y, const TChartPen &pen, TColor fallback);
void VerticalLine(QPainter &painter, int x, int y0, int y1, const TChartPen &pen, TColor fallback);
void HorizontalLine(QPainter &painter, int x0, int x1, int y, TColor color, int width,
                    TChartPen::TPenStyle style = TChartPen::psSolid);
void VerticalLine(QPainter &painter, int x, int y0, int y1, TColor color, int width,
                  TChartPen::TPenStyle style = TChartPen::psSolid);

// A rectangle outlined `outlineWidth` pixels deep inside its edges (0: no outline), its inside painted
// with `inside`.
void Rectangle(QPainter &painter, const QRect &rect, TColor outline, int outlineWidth, const QBrush &inside);

// Text whose cell has (x, y) at the given side; `angle` turns it counter-clockwise about that point.
void Text(QPainter &painter, const QFont &font, TColor color, int x, int y, THorizontal horizontal,
          TVertical vertical, const QString &text, int angle = 0);

} // namespace ChartCanvas
