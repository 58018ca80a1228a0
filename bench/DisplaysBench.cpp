// Updates of the instrument displays on a shown window: what one sampling tick costs each display.
#include <benchmark/benchmark.h>

#include <QTest>
#include <QWidget>

#include "displays/DispLEDLbl.h"
#include "displays/DispLEDs.h"

namespace {

// A black window, shown and exposed, that holds the displays under test.
class TBenchWindow
{
public:
    TBenchWindow()
    {
        m_window.resize(371, 182);
        m_window.setAutoFillBackground(true);
        m_window.setPalette(QPalette(Qt::black));
    }

    QWidget *Parent() { return &m_window; }

    // False when the platform never exposed the window, so nothing would be painted.
    bool Show()
    {
        m_window.show();
        return QTest::qWaitForWindowExposed(&m_window);
    }

private:
    QWidget m_window;
};

// Every digit of the nine changes, so each of them repaints at once.
void LEDPanelValue(benchmark::State &state)
{
    TBenchWindow window;
    auto *panel = new TDispLEDPanel(window.Parent());
    panel->Bevel()->SetBevelOuter(TDispBevel::bvNone);
    panel->SetDigitSize(TDispCustomLEDDigit::ls08x13);
    panel->SetMaxValue(999999999);
    panel->SetNumDigits(9);
    if (!window.Show()) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    bool odd = false;
    for (auto _ : state) {
        panel->SetValue((odd = !odd) ? 123456789 : 987654321);
        benchmark::DoNotOptimize(panel->Value());
    }
}
BENCHMARK(LEDPanelValue)->Unit(benchmark::kMicrosecond);

void LEDLabelRepaint(benchmark::State &state)
{
    TBenchWindow window;
    auto *label = new TDispLEDLabel(window.Parent());
    label->SetFontSize(TDispLEDLabel::fs11x13);
    label->Bevel()->SetBevelOuter(TDispBevel::bvNone);
    label->SetCaption(QStringLiteral("CPU"));
    if (!window.Show()) {
        state.SkipWithError("the window was never exposed");
        return;
    }
    for (auto _ : state)
        label->repaint();
}
BENCHMARK(LEDLabelRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
