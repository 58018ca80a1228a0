#include "displays/DispTickService.h"

#include <atomic>

#include <QTest>

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"
#include "tests/displays/FakeDispTick.h"

namespace {

struct TCounter
{
    int calls = 0;
    TDispTickService *service = nullptr;

    static void Count(void *owner) { ++static_cast<TCounter *>(owner)->calls; }
    // Ticks again from inside its own tick.
    static void Nest(void *owner)
    {
        auto *counter = static_cast<TCounter *>(owner);
        ++counter->calls;
        counter->service->Tick();
    }
};

struct TIntervalCase
{
    int interval;
    int ticks;
    int calls;
};

void PrintTo(const TIntervalCase &c, std::ostream *os)
{
    *os << c.interval << " ms over " << c.ticks << " ticks calls " << c.calls;
}

class TickServiceInterval : public ::testing::TestWithParam<TIntervalCase>
{
};

TEST_P(TickServiceInterval, CallsAClientEachTimeItsIntervalHasPassed)
{
    const TIntervalCase &c = GetParam();
    TFakeDispTick service;
    TCounter counter;
    service.AddClient(c.interval, &counter, &TCounter::Count);
    for (int i = 0; i < c.ticks; ++i)
        service.Tick();
    EXPECT_EQ(counter.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(Intervals, TickServiceInterval,
                         ::testing::Values(TIntervalCase{25, 4, 4}, TIntervalCase{50, 5, 2},
                                           TIntervalCase{30, 4, 2}, TIntervalCase{10, 3, 3},
                                           TIntervalCase{100, 7, 1}));

TEST(TickService, SuspendedClientsAreSkippedAndStartTheirIntervalAfresh)
{
    TFakeDispTick service;
    TCounter counter;
    const auto id = service.AddClient(50, &counter, &TCounter::Count);
    service.Tick();
    service.Suspend(id);
    service.Suspend(id);
    service.Tick();
    service.Resume(id);
    service.Tick();
    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(service.SuspendCount(id), 1);
    service.Resume(id);
    service.Resume(id);
    EXPECT_EQ(service.SuspendCount(id), 0);
    service.Tick();
    EXPECT_EQ(counter.calls, 0);
    service.Tick();
    EXPECT_EQ(counter.calls, 1);
}

TEST(TickService, TheTimerRunsWhileThereAreClientsAndUnknownIdsAreIgnored)
{
    TFakeDispTick service;
    TCounter a, b;
    const auto first = service.AddClient(25, &a, &TCounter::Count);
    const auto second = service.AddClient(25, &b, &TCounter::Count);
    EXPECT_NE(first, second);
    EXPECT_EQ(service.starts, 1);
    service.RemoveClient(first);
    service.RemoveClient(first);
    service.Suspend(first);
    service.Tick();
    EXPECT_EQ(a.calls, 0);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(service.stops, 0);
    service.RemoveClient(second);
    EXPECT_EQ(service.stops, 1);
    EXPECT_EQ(service.ClientCount(), 0);
}

TEST(TickService, ATimerThatCannotStartGivesNoClient)
{
    TFakeDispTick service;
    service.timerStarts = false;
    TCounter counter;
    EXPECT_EQ(service.AddClient(25, &counter, &TCounter::Count), 0u);
    EXPECT_EQ(service.ClientCount(), 0);
    service.timerStarts = true;
    EXPECT_NE(service.AddClient(25, &counter, &TCounter::Count), 0u);
}

TEST(TickService, ATickThatComesWhileOneRunsIsSkipped)
{
    TFakeDispTick service;
    TCounter counter{0, &service};
    service.AddClient(25, &counter, &TCounter::Nest);
    service.Tick();
    service.Tick();
    EXPECT_EQ(counter.calls, 2);
}

// The platform's service ticks on its own thread until its last client goes or the process state is reset.
TEST(PlatformTickService, TicksOnItsOwnThreadAndStopsWithItsLastClientOrTheProcess)
{
    std::atomic<int> calls{0};
    const auto count = [](void *owner) { ++*static_cast<std::atomic<int> *>(owner); };
    TDispTickService &service = TDispTickService::Platform();
    const auto id = service.AddClient(25, &calls, count);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 3; }, 20000));
    service.RemoveClient(id);
    EXPECT_EQ(service.ClientCount(), 0);

    TDispTickService::Platform().AddClient(50, &calls, count);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 4; }, 20000));
    ProcessState::ResetAll();
    EXPECT_EQ(TDispTickService::Platform().ClientCount(), 0);
}

} // namespace
