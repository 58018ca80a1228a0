#pragma once

#include <cstdint>

#include <QString>

#include "displays/chart/Chart.h"
#include "displays/DispLEDs.h"
#include "displays/DispLevel.h"
#include "runtime/Bound.h"

struct TTakeStatistics;

// One take of the main window: the five displays a sample of it reaches, bound by their stored names
// (LEDCPU, LEVCPU, CCPU, LEDCPU_Peak and LEDCPU_Average for the take named CPU), and how its chart draws a
// sample. The window sets the reading and the meter itself, as each take orders them its own way.
class TTake
{
public:
    // Samples under the threshold draw a bar of the floor height.
    TTake(TComponent *window, const QString &name, int threshold, double floor);
    TTake(const TTake &) = delete;
    TTake &operator=(const TTake &) = delete;

    // The sample's bar on the chart, then the statistics, the peak when it rose and the average.
    void Record(std::int32_t sample, TTakeStatistics &statistics);

    TBound<TDispLEDPanel> Reading;
    TBound<TDispLevel> Meter;
    TBound<TChart> Chart;
    TBound<TDispLEDPanel> Peak;
    TBound<TDispLEDPanel> Average;

private:
    // Keeps the last 31 samples: the oldest goes before the new one comes, and the rest are numbered from 0
    // again. Quiet seconds stay visible as green bars of the floor height.
    void ChartStep(std::int32_t sample);

    int m_threshold;
    double m_floor;
};
