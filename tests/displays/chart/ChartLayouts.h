#pragma once

#include <memory>

#include <QString>

#include "tests/runtime/layout/TestForm.h"

class TChart;
class TChartSeries;

// The main window's two strip charts as its stored layout holds them, on a test form.
namespace ChartLayouts {

// One chart block of the main window's layout: "CCPU" (series BarSeries2) or "CNCP" (BarSeries1).
QString ChartBlock(const QString &name);
// A form holding both charts, read from layout text, shown.
std::unique_ptr<TTestForm> LoadBoth();
// The sampler's step on a chart's first series: trim to 30, renumber, append the sample, or the floor
// height in green below the threshold.
void SamplerStep(TChart &chart, double sample, double threshold);

} // namespace ChartLayouts
