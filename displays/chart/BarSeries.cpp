#include "displays/chart/BarSeries.h"

#include "displays/chart/ChartValueList.h"
#include "displays/chart/SeriesMarks.h"

TBarSeries::TBarSeries(QObject *parent) : TCustomBarSeries(parent)
{
    YValues()->SetName(QStringLiteral("Bar"));
    Marks()->SetVisible(true);
    Marks()->SetArrowLength(20);
}
