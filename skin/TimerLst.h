#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QList>
#include <QObject>

#include "runtime/Component.h"
#include "runtime/TestPeer.h"

class TTimerList;
class TTimerWindow;

// Called after every event that fires: the list and the event's handle.
using TAllTimersEvent = std::function<void(QObject *Sender, int Handle)>;

// One timed event of a timer list: fires its OnTimer every Interval milliseconds while enabled, for ever
// or, when not Cycled, RepeatCount times. Its parent component is its list.
class TTimerEvent : public QObject, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTimerEvent)
    Q_PROPERTY(bool Cycled READ Cycled WRITE SetCycled)
    Q_PROPERTY(int RepeatCount READ RepeatCount WRITE SetRepeatCount)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)

public:
    explicit TTimerEvent(QObject *parent = nullptr);
    // Leaves its list first, so that a list never holds a destroyed event.
    ~TTimerEvent() override;

    bool Cycled() const { return m_cycled; }
    void SetCycled(bool cycled) { m_cycled = cycled; }
    int RepeatCount() const { return m_repeatCount; }
    void SetRepeatCount(int count);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    // A negative interval is refused: the value stays as it was.
    void SetInterval(int interval);

    TNotifyEvent OnTimer;

private:
    friend class TTimerList;
    friend struct TTestPeer<TTimerEvent>;

    // Leaves the former list and joins this one; null only leaves.
    void SetParentList(TTimerList *list);

    bool m_cycled = true;
    int m_repeatCount = 0;
    bool m_enabled = true;
    int m_interval = 1000;
    int m_fireCount = 0;
    int m_eventHandle = -1;
    uint32_t m_lastFired;
    TTimerList *m_ownerList = nullptr;
};

// Drives any number of timer events from one timer on a hidden object. It picks one period that divides
// every event's interval where it can (never below 100 ms) and, on every timer message, fires the events
// that are due, up to 50 ms early. Time comes from the tick-count adapter.
class TTimerList : public QObject, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTimerList)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    explicit TTimerList(QObject *parent = nullptr);
    ~TTimerList() override;

    bool Active() const { return m_active; }
    void SetActive(bool active);

    // What the hidden object's timer delivers; errors raised here are shown by the standard error box.
    void TimerMessage();

    // An event stored under the list joins it.
    void InsertChild(QObject *child) override;

    TNotifyEvent OnFinish;
    TAllTimersEvent OnTimers;

protected:
    // Starts (or restarts) the hidden object's timer; false when the platform has no timer left.
    virtual bool SetWindowTimer(int elapse);

private:
    friend class TTimerEvent;
    friend struct TTestPeer<TTimerList>;

    virtual int NewEventHandle();
    // A new event, owned by the list's owner, joined to the list; returns its handle. A negative interval
    // is refused as the event's setter refuses it.
    virtual int AddEvent(TNotifyEvent handler, int interval, bool cycled);
    // Frees the event of that handle; an unknown handle is ignored.
    virtual void DeleteEvent(int handle);
    virtual void FireEvent(TTimerEvent *event);

    void ChoosePeriod(uint32_t now);
    void ArmTimer();
    void StopList();
    void SortByInterval();
    // True when an event disabled itself.
    bool FireDueEvents();
    void Join(TTimerEvent *event);
    void Leave(TTimerEvent *event);
    void Reschedule();
    bool AnyEnabled() const;

    bool m_active = false;
    // In ascending Interval as of the last sort.
    QList<TTimerEvent *> m_events;
    std::unique_ptr<TTimerWindow> m_timerWindow;
    int m_period = 0;
    int m_periodDone = 0;
    int m_handleCounter = 0;
};
