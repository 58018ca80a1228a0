#pragma once

#include "displays/chart/CustomBarSeries.h"

// The bar series a layout stores: its Y values are named "Bar", and it stores its custom bar width.
class TBarSeries : public TCustomBarSeries
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBarSeries)
    Q_PROPERTY(int CustomBarWidth READ CustomBarWidth WRITE SetCustomBarWidth)

public:
    explicit TBarSeries(QObject *parent = nullptr);
};
