#pragma once

#include "runtime/Color.h"
#include "runtime/Persistent.h"

// A wall behind or under the plot; walls show only in a three-dimensional view, which this chart does not
// draw, so a flat chart stores their colour and nothing more.
class TChartWall : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartWall)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)

public:
    TChartWall(QObject *parent, TColor color);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);

private:
    TColor m_color;
};
