#include "displays/BarSeries.h"

#include "displays/ChartValueList.h"
#include "displays/SeriesMarks.h"

TBarSeries::TBarSeries(QObject *parent) : TCustomBarSeries(parent)
{
    YValues()->SetName(QStringLiteral("Bar"));
    Marks()->SetVisible(true);
    Marks()->SetArrowLength(20);
}
