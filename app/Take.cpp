#include "app/Take.h"

#include "app/Statistics.h"
#include "displays/chart/Series.h"

namespace {

constexpr TColor kLime{0x00FF00u};
constexpr TColor kGreen{0x008000u};
constexpr int kChartPoints = 30;

} // namespace

TTake::TTake(TComponent *window, const QString &name, int threshold, double floor)
    : Reading(window, QStringLiteral("LED") + name),
      Meter(window, QStringLiteral("LEV") + name),
      Chart(window, QStringLiteral("C") + name),
      Peak(window, QStringLiteral("LED%1_Peak").arg(name)),
      Average(window, QStringLiteral("LED%1_Average").arg(name)),
      m_threshold(threshold),
      m_floor(floor)
{}

void TTake::Record(std::int32_t sample, TTakeStatistics &statistics)
{
    ChartStep(sample);
    if (statistics.Add(sample))
        Peak->SetValue(statistics.Peak);
    Average->SetValue(statistics.Average());
}

void TTake::ChartStep(std::int32_t sample)
{
    TChartSeries *series = Chart->Series(0);
    if (series == nullptr)
        return;
    if (series->PointCount() > kChartPoints) {
        series->DeletePoint(0);
        series->XValues()->Renumber();
    }
    if (sample < m_threshold)
        series->AppendY(m_floor, QString(), kGreen);
    else
        series->AppendY(sample, QString(), kLime);
}
