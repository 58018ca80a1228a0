#pragma once

#include "displays/chart/ChartColors.h"
#include "runtime/Persistent.h"

// A fill setting of the chart (a bar's inside).
class TChartBrush : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartBrush)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE SetStyle)

public:
    enum TBrushStyle
    {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross,
    };
    Q_ENUM(TBrushStyle)

    explicit TChartBrush(QObject *parent = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);

private:
    TColor m_color = ColorDefault;
    TBrushStyle m_style = bsSolid;
};
