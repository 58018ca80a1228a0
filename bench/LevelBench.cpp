#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <thread>

#include <QTest>
#include <QWidget>

#include "displays/DispLevel.h"

// The level meter: one Value write with the immediate redraw it causes, and what the shared 25 ms tick
// costs the process while two meters hold their peaks.
namespace {

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The main window's CPU meter on a shown window.
void configure(TDispLevel &meter)
{
    meter.Bevel()->SetBevelOuter(TDispBevel::bvNone);
    meter.SetBounds(56, 3, 257, 11);
    meter.SetSpotSpace(2);
    meter.SetSpotWidth(3);
    meter.SetBar1Color(clLime);
    meter.SetBar2Color(clLime);
    meter.SetDecayMode(TDispCustomLevel::dmExponential);
}

void ValueWriteWithRedraw(benchmark::State &state)
{
    QWidget parent;
    parent.resize(371, 182);
    parent.show();
    if (!QTest::qWaitForWindowExposed(&parent))
        state.SkipWithError("the window was never exposed");
    TDispLevel meter(&parent);
    configure(meter);
    int value = 30;
    for (auto _ : state) {
        value = value == 30 ? 90 : 30;
        meter.SetValue(value);
        benchmark::DoNotOptimize(meter.Bar());
    }
}
BENCHMARK(ValueWriteWithRedraw)->Unit(benchmark::kMicrosecond);

void TickServiceWithTwoMetersFor10s(benchmark::State &state)
{
    QWidget parent;
    TDispLevel cpu(&parent);
    TDispLevel ncp(&parent);
    configure(cpu);
    configure(ncp);
    for (auto _ : state) {
        cpu.SetValue(100);
        ncp.SetValue(100);
        const double start = processSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const double used = processSeconds() - start;
        state.counters["cpu_ms"] = used * 1e3;
        state.counters["percent_of_core"] = used / 10.0 * 100.0;
    }
}
BENCHMARK(TickServiceWithTwoMetersFor10s)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
