#pragma once

#include "runtime/Color.h"
#include "runtime/Persistent.h"

// A line setting of the chart (an axis line, the grid, a bar outline).
class TChartPen : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartPen)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)

public:
    enum TPenStyle
    {
        psSolid,
        psDash,
        psDot,
        psDashDot,
        psDashDotDot,
        psClear,
    };
    Q_ENUM(TPenStyle)

    explicit TChartPen(QObject *parent = nullptr, TColor color = clBlack, int width = 1,
                       TPenStyle style = psSolid);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    int Width() const { return m_width; }
    // Below 1 is taken as 1.
    void SetWidth(int width);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);

    // Whether the pen leaves any mark.
    bool Draws() const { return m_visible && m_style != psClear; }

private:
    bool m_visible = true;
    TColor m_color;
    int m_width;
    TPenStyle m_style;
};
