#include "displays/DispTickService.h"

#include <atomic>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"
#include "tests/displays/DispTickServicePeer.h"
#include "tests/displays/FakeDispTick.h"

namespace {

using TTickPeer = TTestPeer<TDispTickService>;

struct TCounter
{
    int calls = 0;
    TDispTickService *service = nullptr;
    // Calls after which the client has nothing left to do, and how long it asks to be left alone.
    int work = 1000;
    int quiet = 1;
    std::vector<int> elapsed;

    static int Count(void *owner, int elapsed)
    {
        auto *counter = static_cast<TCounter *>(owner);
        counter->elapsed.push_back(elapsed);
        return ++counter->calls < counter->work ? counter->quiet : 0;
    }
    // Ticks again from inside its own tick.
    static int Nest(void *owner, int)
    {
        auto *counter = static_cast<TCounter *>(owner);
        ++counter->calls;
        counter->service->Tick();
        return 1;
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
    EXPECT_EQ(TTickPeer::SuspendCount(service, id), 1);
    service.Resume(id);
    service.Resume(id);
    EXPECT_EQ(TTickPeer::SuspendCount(service, id), 0);
    service.Tick();
    EXPECT_EQ(counter.calls, 0);
    service.Tick();
    EXPECT_EQ(counter.calls, 1);
}

TEST(TickService, AClientWithNothingLeftRestsUntilWokenAndOnlyAnActiveOneWakesTheTimer)
{
    TFakeDispTick service;
    TCounter counter;
    counter.work = 2;
    const auto id = service.AddClient(25, &counter, &TCounter::Count);
    EXPECT_EQ(service.wakes, 1);
    for (int i = 0; i < 4; ++i)
        service.Tick();
    EXPECT_EQ(counter.calls, 2);
    EXPECT_TRUE(TTickPeer::Resting(service, id));
    EXPECT_TRUE(TTickPeer::Idle(service));
    EXPECT_EQ(service.TicksUntilDue(), 0);
    service.Suspend(id);
    service.Wake(id);
    EXPECT_EQ(service.wakes, 1);
    service.Tick();
    service.Resume(id);
    EXPECT_EQ(service.wakes, 2);
    bool changed = false;
    service.Wake(id, [&] { return changed; });
    service.Wake(99, [&] { return changed = true; });
    EXPECT_TRUE(changed);
    EXPECT_EQ(service.wakes, 2);
    service.Tick();
    EXPECT_EQ(counter.calls, 3);
    EXPECT_TRUE(TTickPeer::Idle(service));
}

// A client left alone for a while is called once, with the whole time, however the ticks come; a woken
// client counts from the next tick, and not at all the ticks that passed before it woke.
TEST(TickService, TicksBetweenCallsOnlyAddUpSoTheyMayComeAsOne)
{
    TFakeDispTick service;
    TCounter counter;
    counter.quiet = 100;
    const auto id = service.AddClient(25, &counter, &TCounter::Count);
    service.Tick();
    EXPECT_EQ(service.TicksUntilDue(), 4);
    for (int i = 0; i < 3; ++i)
        service.Tick();
    EXPECT_EQ(service.TicksUntilDue(), 1);
    service.Tick();
    service.Tick(4);
    service.Tick(3);
    service.Wake(id);
    EXPECT_EQ(service.TicksUntilDue(), 1);
    service.Tick(5);
    service.Tick(2);
    service.Wake(id);
    service.Advance(3);
    service.Tick();
    EXPECT_EQ(counter.elapsed, std::vector<int>({25, 100, 100, 25, 25}));
    EXPECT_EQ(service.TicksUntilDue(), 4);
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
    EXPECT_EQ(TTickPeer::ClientCount(service), 0);
}

TEST(TickService, ATimerThatCannotStartGivesNoClient)
{
    TFakeDispTick service;
    service.timerStarts = false;
    TCounter counter;
    EXPECT_EQ(service.AddClient(25, &counter, &TCounter::Count), 0u);
    EXPECT_EQ(TTickPeer::ClientCount(service), 0);
    service.timerStarts = true;
    EXPECT_NE(service.AddClient(25, &counter, &TCounter::Count), 0u);
}

TEST(TickService, ATickThatComesWhileOneRunsIsSkipped)
{
    TFakeDispTick service;
    TCounter counter;
    counter.service = &service;
    service.AddClient(25, &counter, &TCounter::Nest);
    service.Tick();
    service.Tick();
    EXPECT_EQ(counter.calls, 2);
}

// A client of the platform's service, called on the timer's thread.
struct TPlatformCounter
{
    std::atomic<int> calls{0};
    std::atomic<int> quiet{1};

    static int Call(void *owner, int)
    {
        auto *counter = static_cast<TPlatformCounter *>(owner);
        ++counter->calls;
        return counter->quiet;
    }
};

// The platform's service ticks on its own thread until its last client goes or the process state is reset.
TEST(PlatformTickService, TicksOnItsOwnThreadAndStopsWithItsLastClientOrTheProcess)
{
    TPlatformCounter counter;
    TDispTickService &service = TDispTickService::Platform();
    const auto id = service.AddClient(25, &counter, &TPlatformCounter::Call);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.calls >= 3; }, 20000));
    service.RemoveClient(id);
    EXPECT_EQ(TTickPeer::ClientCount(service), 0);

    TDispTickService::Platform().AddClient(50, &counter, &TPlatformCounter::Call);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.calls >= 4; }, 20000));
    ProcessState::ResetAll();
    EXPECT_EQ(TTickPeer::ClientCount(TDispTickService::Platform()), 0);
}

// A wake cuts short both a client's long wait and the thread's wait while the service is idle.
TEST(PlatformTickService, AWakeCutsItsThreadsWaitShort)
{
    TPlatformCounter counter;
    counter.quiet = 3600 * 1000;
    TDispTickService &service = TDispTickService::Platform();
    const auto id = service.AddClient(25, &counter, &TPlatformCounter::Call);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.calls == 1; }, 20000));
    counter.quiet = 0;
    service.Wake(id);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.calls == 2 && TTickPeer::Idle(service); }, 20000));
    service.Wake(id);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.calls == 3 && TTickPeer::Idle(service); }, 20000));
    ProcessState::ResetAll();
}

} // namespace
