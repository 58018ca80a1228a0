#include <benchmark/benchmark.h>

#include <QTest>

#include "displays/chart/Chart.h"
#include "displays/chart/Series.h"
#include "runtime/layout/LayoutReader.h"
#include "runtime/Form.h"

// The strip chart's share of one sampler tick, on a 265 x 72 chart read from the main window's layout text
// and holding 31 points: the point step and the full redraw it causes, and a repaint with nothing changed.
namespace {

const char *const kLayout = R"(object F: TForm
  object CCPU: TChart
    Width = 265
    Height = 72
    MarginBottom = 10
    MarginTop = 10
    MaxPointsPerPage = 30
    ScaleLastPage = False
    Title.Visible = False
    Legend.Visible = False
    AllowPanning = pmHorizontal
    BottomAxis.Labels = False
    BottomAxis.Visible = False
    Frame.Visible = False
    LeftAxis.Automatic = False
    LeftAxis.AutomaticMaximum = False
    LeftAxis.AutomaticMinimum = False
    LeftAxis.Increment = 25
    LeftAxis.Maximum = 100
    LeftAxis.Axis.Visible = False
    LeftAxis.LabelsFont.Color = clLime
    LeftAxis.LabelsFont.Height = -11
    LeftAxis.LabelsFont.Name = 'Arial'
    LeftAxis.TickLength = 0
    LeftAxis.MinorTickLength = 0
    LeftAxis.MinorTickCount = 0
    LeftAxis.Title.Caption = 'CPU ps'
    LeftAxis.Title.Font.Color = clRed
    LeftAxis.Title.Font.Height = -11
    LeftAxis.Title.Font.Name = 'Arial'
    RightAxis.Labels = False
    TopAxis.Labels = False
    View3D = False
    BevelOuter = bvNone
    Color = clBlack
    object BarSeries2: TBarSeries
      Marks.Visible = False
      SeriesColor = 65408
    end
  end
end
)";

struct TChartWindow
{
    TChartWindow()
    {
        ReadLayout(&form, QString::fromLatin1(kLayout));
        chart = form.findChild<TChart *>("CCPU");
        form.resize(265, 72);
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        for (int i = 0; i < 31; ++i)
            Step(i);
        chart->repaint();
    }

    void Step(int tick)
    {
        TChartSeries *series = chart->Series(0);
        if (series->PointCount() > 30) {
            series->DeletePoint(0);
            series->XValues()->Renumber();
        }
        const double load = (tick * 37) % 100;
        series->AppendY(load < 10 ? 10 : load, QString(), load < 10 ? clGreen : clLime);
    }

    TForm form;
    TChart *chart = nullptr;
};

void TickStepAndRedraw(benchmark::State &state)
{
    TChartWindow window;
    int tick = 0;
    for (auto _ : state) {
        window.Step(tick++);
        window.chart->repaint();
    }
}
BENCHMARK(TickStepAndRedraw)->Unit(benchmark::kMicrosecond);

void RepaintUnchanged(benchmark::State &state)
{
    TChartWindow window;
    for (auto _ : state)
        window.chart->repaint();
    benchmark::DoNotOptimize(window.chart->Dirty());
}
BENCHMARK(RepaintUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace
