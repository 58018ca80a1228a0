#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "app/Statistics.h"
#include "app/UMain.h"
#include "displays/chart/Series.h"
#include "netware/NWServerStats.h"
#include "netware/nwbase.h"
#include "netware/nwclient.h"
#include "netware/nwlib.h"
#include "nwsim/Network.h"
#include "nwsim/ScenarioParser.h"
#include "runtime/MenuItem.h"
#include "runtime/ProcessState.h"
#include "skin/TimerLst.h"
#include "tests/app/SimulatedClient.h"
#include "tests/app/UMainPeer.h"
#include "tests/runtime/FakeTickCount.h"
#include "tests/skin/TimerLstPeer.h"

namespace {

constexpr int kDay = 86'400;
constexpr int kHour = 3'600;
constexpr int kSettled = 1'000;

// Three servers, a new one selected every hour. KITE handles enough requests for the request sum to pass
// 2^31 within its first hour and its counter to wrap every half hour or so; every server stops and comes back or restarts its counter, WREN to 0
// (which reads as "no previous sample") and at last for good.
const char *const kScenario = R"(profile flood idle=5 busy=95 bursts=40 rate=2000000
server KITE profile=flood counter=4294000000 seed=11
server HERON profile=busy seed=12
server WREN profile=quiet seed=13
stop KITE after 12000 seconds for 900
restart KITE after 30000 seconds to 4294960000
stop HERON after 2000 calls for 300
restart HERON after 50000 seconds
restart WREN after 4000 calls to 0
stop WREN after 64800 seconds
)";

nwsim::Scenario dayScenario()
{
    std::istringstream input(kScenario);
    return nwsim::ScenarioParser::Parse(input);
}

// The sampler's figures recomputed in 64 bits from the raw samples a second network with the same
// scenario and clock answers.
struct TReference
{
    void Sample(std::uint32_t cpu, std::uint32_t counter)
    {
        Cpu = std::int32_t(cpu);
        const std::int64_t difference = std::int64_t(counter) - std::int64_t(Previous);
        Delta = Previous == 0 ? 0 : (difference % kWrap + kWrap + kWrap / 2) % kWrap - kWrap / 2;
        Previous = counter;
        ++Count;
        CpuSum += Cpu;
        NcpSum += Delta;
        CpuPeak = std::max(CpuPeak, Cpu);
        NcpPeak = std::max(NcpPeak, Delta);
        if (Delta > 0 && NcpPeak > 0)
            NcpLevel = Delta * 100 / NcpPeak;
    }

    static constexpr std::int64_t kWrap = std::int64_t(1) << 32;
    std::int64_t Cpu = 0, Delta = 0, Count = 0, CpuSum = 0, NcpSum = 0, CpuPeak = 0, NcpPeak = 0;
    // -1 until a positive sample sets the meter.
    std::int64_t NcpLevel = -1;
    std::uint32_t Previous = 0;
};

std::int64_t shown(const TDispLEDPanel &panel, std::int64_t value)
{
    return std::clamp<std::int64_t>(value, panel.MinValue(), panel.MaxValue());
}

bool levelShows(TDispLevel &meter, std::int64_t value)
{
    const int before = meter.Value();
    meter.SetValue(int(value));
    return meter.Value() == before;
}

bool lastBarIs(TChart &chart, std::int64_t sample, std::int64_t threshold)
{
    TChartSeries *series = chart.Series(0);
    const int last = series->PointCount() - 1;
    const bool lime = sample >= threshold;
    return series->PointCount() <= 31 && series->YValue(last) == double(lime ? sample : threshold) &&
           series->PointColor(last).Value() == (lime ? 0x00FF00u : 0x008000u);
}

// What the window shows that the reference disagrees with, or an empty text.
std::string disagreement(TFMain &form, const TReference &reference)
{
    const TSamplerStatistics &statistics = SamplerStatistics();
    std::ostringstream out;
    const auto check = [&out](bool agrees, const char *what) {
        if (!agrees)
            out << what << ' ';
    };
    check(statistics.Cpu.Count == reference.Count && statistics.Ncp.Count == reference.Count, "count");
    check(statistics.Cpu.Sum == reference.CpuSum && statistics.Ncp.Sum == reference.NcpSum, "sums");
    if (reference.Count == 0)
        return out.str();
    check(form.Cpu.Reading->Value() == shown(*form.Cpu.Reading, reference.Cpu), "LEDCPU");
    check(levelShows(*form.Cpu.Meter, reference.Cpu), "LEVCPU");
    check(lastBarIs(*form.Cpu.Chart, reference.Cpu, 10), "CCPU");
    check(form.Cpu.Peak->Value() == shown(*form.Cpu.Peak, reference.CpuPeak), "LEDCPU_Peak");
    check(form.Cpu.Average->Value() == shown(*form.Cpu.Average, reference.CpuSum / reference.Count),
          "LEDCPU_Average");
    check(form.Ncp.Reading->Value() == shown(*form.Ncp.Reading, reference.Delta), "LEDNCP");
    check(reference.NcpLevel < 0 || levelShows(*form.Ncp.Meter, reference.NcpLevel), "LEVNCP");
    check(lastBarIs(*form.Ncp.Chart, reference.Delta, 25), "CNCP");
    check(form.Ncp.Peak->Value() == shown(*form.Ncp.Peak, reference.NcpPeak), "LEDNCP_Peak");
    check(form.Ncp.Average->Value() == shown(*form.Ncp.Average, reference.NcpSum / reference.Count),
          "LEDNCP_Average");
    return out.str();
}

std::int64_t residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The allocator of the address sanitizer keeps freed blocks resident on purpose, so resident memory says
// nothing there; its leak check stands in.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryCounts = false;
#elif defined(__has_feature)
constexpr bool kResidentMemoryCounts = !__has_feature(address_sanitizer);
#else
constexpr bool kResidentMemoryCounts = true;
#endif

} // namespace

// A day at one tick a second on the simulated client, the tick count wrapping on the way: every tick is
// sampled exactly once, every display agrees with the reference after every tick, and memory stays flat.
TEST(DayOfTicks, EveryDisplayAgreesWithA64BitReferenceAndMemoryStaysFlat)
{
    ProcessState::ResetAll();
    TFakeTickCount clock(0xFFFFFFFFu - 40'000'000u);
    TAdapterOverride<TTickCount> clockOverride(clock);
    const std::uint32_t start = clock.GetTickCount();
    const auto sinceStart = [&clock, start] { return std::uint64_t(clock.GetTickCount() - start); };
    nwsim::Network::Reset(dayScenario(), sinceStart);
    nwsim::Network twin(dayScenario(), sinceStart);
    TSimulatedClient client;

    TFMain form;
    form.StartUp();
    ASSERT_EQ(form.PServer->Count(), 3);
    TNWServerStats record;
    for (const char *name : {"KITE", "HERON", "WREN"}) {
        std::uint32_t connection = 0;
        twin.OpenConnByName(name, &connection);
        twin.GetFileServerInfo(connection, record.Data());
    }
    form.Cpu.Meter->SetDecayMode(TDispLevel::dmNone);
    form.Ncp.Meter->SetDecayMode(TDispLevel::dmNone);
    auto *list = form.findChild<TTimerList *>("TimerList1");
    auto *sampler = form.findChild<TTimerEvent *>("TServerStats");
    ASSERT_TRUE(list && sampler);

    TReference reference;
    int failedTicks = 0;
    std::int64_t largestSum = 0;
    std::int64_t settledMemory = 0;
    const auto began = std::chrono::steady_clock::now();
    for (int tick = 0; tick < kDay; ++tick) {
        if (tick % kHour == 0)
            form.PServer->Item(tick / kHour % 3)->Click();
        clock.Advance(1000);
        const std::uint32_t connection = ResolveConnection(TTestPeer<TFMain>::SelectedConnection(form));
        if (twin.GetFileServerInfo(connection, record.Data()) == NW_SUCCESS)
            reference.Sample(record.Utilization(), record.NCPRequests());
        else
            ++failedTicks;
        list->TimerMessage();
        // The event loop runs between ticks, as in the program; its timer finds nothing due yet.
        if (tick % 60 == 0)
            QCoreApplication::processEvents();
        ASSERT_EQ(TTestPeer<TTimerEvent>::FireCount(*sampler), tick + 1) << "tick " << tick;
        const std::string wrong = disagreement(form, reference);
        ASSERT_TRUE(wrong.empty()) << "tick " << tick << ": " << wrong;
        largestSum = std::max(largestSum, reference.NcpSum);
        if (tick == kSettled)
            settledMemory = residentBytes();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    const std::int64_t growth = residentBytes() - settledMemory;

    std::cout << "day of ticks: " << seconds << " s; resident memory " << settledMemory << " bytes at tick "
              << kSettled << ", grown by " << growth << " bytes at the end; " << failedTicks
              << " ticks without an answer" << (kResidentMemoryCounts ? "\n" : " (memory not checked here)\n");
    testing::Test::RecordProperty("seconds", std::to_string(seconds));
    testing::Test::RecordProperty("residentGrowthBytes", std::to_string(growth));
    EXPECT_GT(largestSum, std::int64_t(INT32_MAX)) << "the request sum never left 32 bits";
    EXPECT_GT(failedTicks, 0);
    EXPECT_TRUE(client.presenter.boxes.empty());
    if (kResidentMemoryCounts) {
        EXPECT_LT(growth, 1 << 20);
    }
    MainUnit().NWClient.reset();
}
