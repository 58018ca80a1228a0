#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <thread>

#include <QTest>
#include <QWidget>

#include "displays/DispLevel.h"

// The level meter: one Value write with the immediate redraw it causes, and what the shared 25 ms tick
// costs the process with two meters.
namespace {

double cpuSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// What the process's other threads used: the tick thread is the only one besides this.
double otherThreadsSeconds()
{
    return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
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

// Both meters either at rest after one full-scale value (argument 0) or fed a new value once a second as
// the sampler feeds them (argument 1), each peak held and then dropped.
void TickServiceWithTwoMetersFor10s(benchmark::State &state)
{
    static constexpr int kFed[] = {30, 55, 20, 70, 45, 90, 10, 60, 35, 80};
    QWidget parent;
    TDispLevel cpu(&parent);
    TDispLevel ncp(&parent);
    configure(cpu);
    configure(ncp);
    const bool fed = state.range(0) != 0;
    for (auto _ : state) {
        cpu.SetValue(100);
        ncp.SetValue(100);
        const double start = otherThreadsSeconds();
        for (const int value : kFed) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            if (fed) {
                cpu.SetValue(value);
                ncp.SetValue(100 - value);
            }
        }
        const double used = otherThreadsSeconds() - start;
        state.counters["cpu_ms"] = used * 1e3;
        state.counters["percent_of_core"] = used / 10.0 * 100.0;
    }
}
BENCHMARK(TickServiceWithTwoMetersFor10s)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
