#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>

#include <gtest/gtest.h>

#include "app/Classes.h"
#include "app/UMain.h"
#include "displays/chart/Series.h"
#include "runtime/Application.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "runtime/ProcessState.h"
#include "tests/netware/NetWareFixture.h"

namespace {

struct Answer
{
    int32_t cpu;
    uint32_t counter;
};

// The statistics answers of the scripted server, one a request. While sampling, an empty script fails the
// request; before, every server answers, so start-up lists them all.
std::deque<Answer> g_answers;
bool g_sampling = false;

uint32_t NWAPI scriptedStats(uint32_t, uint8_t *record)
{
    TFakeClient::Active().Called("NWGetFileServerInfo");
    if (g_sampling && g_answers.empty())
        return NW_ERR_INVALID_CONNECTION;
    const Answer answer = g_sampling ? g_answers.front() : Answer{0, 0};
    if (g_sampling)
        g_answers.pop_front();
    std::memset(record, 0, NW_SERVER_INFO_SIZE);
    std::memcpy(record + NW_SERVER_INFO_UTILIZATION, &answer.cpu, 4);
    std::memcpy(record + NW_SERVER_INFO_NCP_REQUESTS, &answer.counter, 4);
    return NW_SUCCESS;
}

struct Bar
{
    double height;
    uint32_t color;
    bool operator==(const Bar &) const = default;
};

class SamplerFixture : public TNetWareFixture
{
protected:
    SamplerFixture()
    {
        RegisterClasses();
        form = std::make_unique<TFMain>();
        TApplication::SetMainForm(form.get());
        fake.Replace("NWGetFileServerInfo", scriptedStats);
        form->StartUp();
        // Without decay a meter shows only its last value, so what it shows tells what was written.
        form->Cpu.Meter->SetDecayMode(TDispLevel::dmNone);
        form->Ncp.Meter->SetDecayMode(TDispLevel::dmNone);
        g_sampling = true;
    }

    ~SamplerFixture() override
    {
        g_answers.clear();
        g_sampling = false;
        ProcessState::ResetAll();
    }

    void Ticks(std::initializer_list<Answer> answers)
    {
        for (const Answer &answer : answers) {
            g_answers.push_back(answer);
            form->TServerStatsTimer(nullptr);
        }
    }

    static bool Shows(TDispLevel &meter, int value)
    {
        const int shown = meter.Value();
        meter.SetValue(value);
        return meter.Value() == shown;
    }

    static Bar LastBar(TChart &chart)
    {
        TChartSeries *series = chart.Series(0);
        const int last = series->PointCount() - 1;
        return {series->YValue(last), series->PointColor(last).Value()};
    }

    std::unique_ptr<TFMain> form;
};

// What both takes show after a run of ticks.
struct TakeRun
{
    const char *name;
    std::vector<Answer> answers;
    int cpu, cpuPeak, cpuAverage;
    Bar cpuBar;
    int ncp, ncpPeak, ncpAverage, ncpLevel;
    Bar ncpBar;
};

void PrintTo(const TakeRun &run, std::ostream *out)
{
    *out << run.name;
}

constexpr uint32_t kLime = 0x00FF00;
constexpr uint32_t kGreen = 0x008000;

class SamplerRun : public SamplerFixture, public testing::WithParamInterface<TakeRun>
{};

TEST_P(SamplerRun, ShowsTheFiguresOfBothTakes)
{
    const TakeRun &run = GetParam();
    for (const Answer &answer : run.answers)
        Ticks({answer});
    EXPECT_EQ(form->Cpu.Reading->Value(), run.cpu);
    EXPECT_TRUE(Shows(*form->Cpu.Meter, run.cpu));
    EXPECT_EQ(form->Cpu.Peak->Value(), run.cpuPeak);
    EXPECT_EQ(form->Cpu.Average->Value(), run.cpuAverage);
    EXPECT_EQ(LastBar(*form->Cpu.Chart), run.cpuBar);
    EXPECT_EQ(form->Ncp.Reading->Value(), run.ncp);
    EXPECT_EQ(form->Ncp.Peak->Value(), run.ncpPeak);
    EXPECT_EQ(form->Ncp.Average->Value(), run.ncpAverage);
    EXPECT_TRUE(Shows(*form->Ncp.Meter, run.ncpLevel));
    EXPECT_EQ(LastBar(*form->Ncp.Chart), run.ncpBar);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, SamplerRun,
    testing::Values(
        TakeRun{"FirstSample", {{5, 1000}}, 5, 5, 5, {10, kGreen}, 0, 0, 0, 0, {25, kGreen}},
        TakeRun{"SecondSample", {{5, 1000}, {5, 1100}}, 5, 5, 5, {10, kGreen}, 100, 100, 50, 100, {100, kLime}},
        TakeRun{"ThresholdsReached", {{9, 1000}, {10, 1025}}, 10, 10, 9, {10, kLime}, 25, 25, 12, 100, {25, kLime}},
        TakeRun{"ThresholdsMissed", {{10, 1000}, {9, 1024}}, 9, 10, 9, {10, kGreen}, 24, 24, 12, 100, {25, kGreen}},
        TakeRun{"PeakRelativeLevel", {{1, 1000}, {2, 1300}, {1, 1400}}, 1, 2, 1, {10, kGreen}, 100, 300, 133, 33,
            {100, kLime}},
        TakeRun{"CounterBackwards", {{5, 1000}, {5, 1300}, {5, 1100}}, 5, 5, 5, {10, kGreen}, 0, 300, 33, 100,
            {25, kGreen}},
        TakeRun{"RawCounterZero", {{5, 0}, {5, 500}}, 5, 5, 5, {10, kGreen}, 0, 0, 0, 0, {25, kGreen}},
        TakeRun{"CounterWraps", {{5, 0xFFFFFF00u}, {5, 0x10}}, 5, 5, 5, {10, kGreen}, 0x110, 0x110, 0x88, 100,
            {0x110, kLime}},
        TakeRun{"CpuOutOfRange", {{-7, 1}, {0x7FFFFFFF, 2}}, 100, 100, 100, {0x7FFFFFFF, kLime}, 1, 1, 0, 100,
            {25, kGreen}}));

} // namespace

TEST_F(SamplerFixture, AFailedTickChangesNothing)
{
    Ticks({{42, 1000}, {43, 1200}});
    form->TServerStatsTimer(nullptr);
    EXPECT_EQ(form->Cpu.Reading->Value(), 43);
    EXPECT_EQ(form->Ncp.Reading->Value(), 200);
    EXPECT_EQ(form->Cpu.Chart->Series(0)->PointCount(), 2);
    Ticks({{1, 1300}});
    EXPECT_EQ(form->Ncp.Reading->Value(), 100) << "the previous counter survives a failed tick";
}

TEST_F(SamplerFixture, ChartsKeep31BarsRenumberedOldestFirstOut)
{
    // The oldest bar goes before the new one comes, so a chart never holds a 32nd.
    int highestIndex = -1;
    for (TChart *chart : std::initializer_list<TChart *>{form->Cpu.Chart, form->Ncp.Chart})
        chart->Series(0)->OnAfterAdd = [&highestIndex](QObject *, int index) {
            highestIndex = std::max(highestIndex, index);
        };
    for (int tick = 0; tick < 40; ++tick)
        Ticks({{tick, uint32_t(1000 + tick)}});
    EXPECT_EQ(highestIndex, 30);
    TChartSeries *series = form->Cpu.Chart->Series(0);
    ASSERT_EQ(series->PointCount(), 31);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(series->XValue(i), i);
    EXPECT_EQ(series->YValue(30), 39);
    EXPECT_EQ(series->YValue(0), 10) << "the oldest kept sample is 9, drawn at the floor";
    EXPECT_EQ(form->Ncp.Chart->Series(0)->PointCount(), 31);
}

TEST_F(SamplerFixture, ATickMakesTwoClientCalls)
{
    form->PServer->Item(1)->Click();
    fake.ResetCounts();
    Ticks({{5, 1000}});
    EXPECT_EQ(fake.TotalCalls(), 2);
}
