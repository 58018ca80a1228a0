#include "skin/TimerLst.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/MessageBox.h"
#include "runtime/ProcessState.h"
#include "runtime/layout/ClassRegistry.h"
#include "runtime/layout/LayoutReader.h"
#include "tests/runtime/FakeTickCount.h"
#include "tests/runtime/RecordingPresenter.h"
#include "tests/runtime/layout/TestClasses.h"
#include "tests/runtime/layout/TestForm.h"
#include "tests/skin/TimerLstPeer.h"

namespace {

using TListPeer = TTestPeer<TTimerList>;
using TEventPeer = TTestPeer<TTimerEvent>;

// Records every arming of the hidden timer, and can run out of timers.
class TRecordingList : public TTimerList
{
public:
    using TTimerList::TTimerList;

    std::vector<int> elapses;
    bool noTimerLeft = false;

protected:
    bool SetWindowTimer(int elapse) override
    {
        if (noTimerLeft)
            return false;
        elapses.push_back(elapse);
        return TTimerList::SetWindowTimer(elapse);
    }
};

class TimerListTest : public ::testing::Test
{
protected:
    ~TimerListTest() override { ProcessState::ResetAll(); }

    // An event of the list, created at the clock's current time.
    TTimerEvent *Event(int interval, QStringList *log = nullptr, const QString &name = "E")
    {
        auto *event = new TTimerEvent(&owner);
        event->setObjectName(name);
        event->SetInterval(interval);
        if (log)
            event->OnTimer = [log](QObject *sender) { log->append(sender->objectName()); };
        return event;
    }

    TFakeTickCount clock{1000};
    TAdapterOverride<TTickCount> clockOverride{clock};
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> boxes{presenter};
    QObject owner;
    TRecordingList list{&owner};
};

struct TPeriodCase
{
    std::vector<int> intervals;
    uint32_t joinedAfter;
    int period;
};

void PrintTo(const TPeriodCase &c, std::ostream *os)
{
    for (int interval : c.intervals)
        *os << interval << " ";
    *os << "joined after " << c.joinedAfter << " gives " << c.period;
}

class TimerListPeriod : public TimerListTest, public ::testing::WithParamInterface<TPeriodCase>
{
};

TEST_P(TimerListPeriod, DividesEveryIntervalAndNeverGoesBelow100)
{
    const TPeriodCase &c = GetParam();
    std::vector<TTimerEvent *> events;
    for (int interval : c.intervals)
        events.push_back(Event(interval));
    clock.Advance(c.joinedAfter);
    for (TTimerEvent *event : events)
        TEventPeer::SetParentList(*event, &list);
    EXPECT_EQ(TListPeer::Period(list), c.period);
}

INSTANTIATE_TEST_SUITE_P(Examples, TimerListPeriod,
                         ::testing::Values(TPeriodCase{{1000}, 0, 1000}, TPeriodCase{{1000}, 1, 100},
                                           TPeriodCase{{1000}, 50, 200}, TPeriodCase{{1000}, 250, 500},
                                           TPeriodCase{{1000, 1500}, 0, 500}, TPeriodCase{{300, 700}, 0, 100},
                                           TPeriodCase{{0}, 0, 0}, TPeriodCase{{0, 1000}, 0, 1000},
                                           TPeriodCase{{}, 0, 0}, TPeriodCase{{70000}, 0, 70000}));

TEST_F(TimerListTest, ANegativeIntervalIsRefusedAndNeverStallsThePeriod)
{
    TTimerEvent *event = Event(1000);
    event->SetInterval(-7);
    EXPECT_EQ(event->Interval(), 1000);
    TEventPeer::SetParentList(*event, &list);
    const int added = TListPeer::AddEvent(list, {}, -7, true);
    for (const TTimerEvent *each : TListPeer::Events(list))
        EXPECT_EQ(each->Interval(), 1000) << "event " << TEventPeer::EventHandle(*each) << " of " << added;
    EXPECT_EQ(TListPeer::Period(list), 1000);
}

TEST_F(TimerListTest, FiresDueEventsUpTo50MsEarlyLastToFirstWithTheBookkeepingDone)
{
    QStringList log;
    TTimerEvent *slow = Event(2000, &log, "slow");
    TTimerEvent *fast = Event(1000, &log, "fast");
    TEventPeer::SetParentList(*slow, &list);
    TEventPeer::SetParentList(*fast, &list);
    list.SetActive(true);
    EXPECT_EQ(TListPeer::Events(list), QList<TTimerEvent *>({fast, slow}));
    int seenCount = -1;
    fast->OnTimer = [&](QObject *) {
        seenCount = TEventPeer::FireCount(*fast);
        log << "fast";
    };
    int handles = 0;
    list.OnTimers = [&](QObject *, int handle) { handles += handle; };

    clock.Advance(949);
    list.TimerMessage();
    EXPECT_TRUE(log.isEmpty());
    clock.Advance(1);
    list.TimerMessage();
    EXPECT_EQ(log, QStringList({"fast"}));
    EXPECT_EQ(seenCount, 1);
    clock.Advance(1000);
    list.TimerMessage();
    EXPECT_EQ(log, QStringList({"fast", "slow", "fast"}));
    EXPECT_EQ(handles, TEventPeer::EventHandle(*fast) * 2 + TEventPeer::EventHandle(*slow));
}

TEST_F(TimerListTest, AnEventThatIsNotCycledStopsAfterItsRepeatsAndTheListFinishesWithIt)
{
    QStringList log;
    TTimerEvent *event = Event(1000, &log);
    event->SetCycled(false);
    event->SetRepeatCount(5);
    event->SetRepeatCount(0);
    EXPECT_EQ(event->RepeatCount(), 1);
    event->SetRepeatCount(3);
    TEventPeer::SetParentList(*event, &list);
    int finished = 0;
    list.OnFinish = [&finished](QObject *) { ++finished; };
    list.SetActive(true);
    for (int tick = 0; tick < 5; ++tick) {
        clock.Advance(1000);
        list.TimerMessage();
    }
    EXPECT_EQ(log.size(), 3);
    EXPECT_FALSE(event->Enabled());
    EXPECT_FALSE(list.Active());
    EXPECT_FALSE(TListPeer::HasTimerWindow(list));
    EXPECT_EQ(finished, 1);
}

TEST_F(TimerListTest, ALongPeriodIsWaitedInPiecesBeforeEventsAreExamined)
{
    QStringList log;
    TEventPeer::SetParentList(*Event(150000, &log), &list);
    list.SetActive(true);
    for (int piece = 0; piece < 3; ++piece) {
        clock.Advance(piece < 2 ? 65535 : 150000 - 2 * 65535);
        list.TimerMessage();
    }
    EXPECT_EQ(log.size(), 1);
    // ...and the next period in pieces again.
    EXPECT_EQ(list.elapses, std::vector<int>({65535, 65535, 150000 - 2 * 65535, 65535}));
}

TEST_F(TimerListTest, HandlerErrorsAreShownAndTheTimerKeepsRunning)
{
    QStringList log;
    TTimerEvent *event = Event(1000, &log);
    event->OnTimer = [&log](QObject *) {
        log << "tick";
        throw Exception("the server went away");
    };
    TEventPeer::SetParentList(*event, &list);
    list.SetActive(true);
    clock.Advance(1000);
    EXPECT_NO_THROW(list.TimerMessage());
    clock.Advance(1000);
    list.TimerMessage();
    EXPECT_EQ(log.size(), 2);
    ASSERT_EQ(presenter.boxes.size(), 2u);
    EXPECT_EQ(presenter.boxes[0].text, "the server went away");
    EXPECT_TRUE(list.Active());
}

TEST_F(TimerListTest, RunningOutOfTimersStopsTheListAndSaysSo)
{
    list.SetActive(true);
    list.noTimerLeft = true;
    try {
        TListPeer::AddEvent(list, {}, 1000, true);
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources &error) {
        EXPECT_EQ(error.Message(), "Not enough timers available");
    }
    EXPECT_FALSE(list.Active());
}

TEST_F(TimerListTest, HandlesCountUpAndDeletingAnUnknownOneDoesNothing)
{
    const int first = TListPeer::AddEvent(list, {}, 1000, true);
    const int second = TListPeer::AddEvent(list, {}, 500, false);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    TListPeer::DeleteEvent(list, 7);
    EXPECT_EQ(TListPeer::Events(list).size(), 2);
    TListPeer::DeleteEvent(list, first);
    ASSERT_EQ(TListPeer::Events(list).size(), 1);
    EXPECT_EQ(TEventPeer::EventHandle(*TListPeer::Events(list).front()), second);
    delete TListPeer::Events(list).front();
    EXPECT_TRUE(TListPeer::Events(list).isEmpty());
}

TEST_F(TimerListTest, AStoredActiveListStartsTheTimerWhenItsEventJoinsAndFiresFromTheRealTimer)
{
    RegisterTestClasses();
    TClassRegistry::Instance().RegisterClass<TTimerList>();
    TClassRegistry::Instance().RegisterClass<TTimerEvent>();
    TTestForm form;
    ReadLayout(&form, "object F: TTestForm\n  object L: TTimerList\n    Active = True\n"
                      "    object T: TTimerEvent\n      Interval = 100\n      OnTimer = BExitClick\n"
                      "    end\n  end\nend\n");
    auto *stored = form.findChild<TTimerList *>("L");
    ASSERT_TRUE(stored && stored->Active());
    EXPECT_EQ(TListPeer::Period(*stored), 100);
    ASSERT_EQ(TListPeer::Events(*stored).size(), 1);
    // The clock jumps ahead, so the first real tick finds the event due.
    clock.Advance(10000);
    QEventLoop loop;
    TTimerEvent *event = TListPeer::Events(*stored).front();
    event->OnTimer = [&loop](QObject *) { loop.quit(); };
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(TEventPeer::FireCount(*event), 1);
}

} // namespace
