#include "skin/TimerLst.h"

#include <algorithm>
#include <utility>

#include <QPointer>
#include <QTimerEvent>

#include "runtime/ErrorBox.h"
#include "runtime/Exception.h"
#include "runtime/TickCount.h"

namespace {

constexpr int kNoPeriod = 2147483647;
constexpr int kMinimumPeriod = 100;
// The longest elapse one system timer takes; longer periods are waited in pieces.
constexpr int kLongestElapse = 65535;
// An event is due this much before its interval has passed.
constexpr int kEarliness = 50;

uint32_t now()
{
    return TTickCount::Current().GetTickCount();
}

// Tick differences in signed 32-bit arithmetic, so that the count's wrap does not matter.
int32_t since(uint32_t then, uint32_t current)
{
    return int32_t(current - then);
}

} // namespace

// The hidden window of a list: it owns the one timer and hands each tick to its list.
class TTimerWindow : public QObject
{
public:
    explicit TTimerWindow(TTimerList *list) : m_list(list) {}
    ~TTimerWindow() override { Kill(); }

    bool Start(int elapse)
    {
        Kill();
        m_timerId = startTimer(elapse, Qt::PreciseTimer);
        return m_timerId != 0;
    }

    void Kill()
    {
        if (m_timerId != 0)
            killTimer(std::exchange(m_timerId, 0));
    }

protected:
    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() == m_timerId)
            m_list->TimerMessage();
    }

private:
    TTimerList *m_list;
    int m_timerId = 0;
};

TTimerEvent::TTimerEvent(QObject *parent) : QObject(parent), m_lastFired(now())
{
    PublishEvent(QStringLiteral("OnTimer"), OnTimer);
}

TTimerEvent::~TTimerEvent()
{
    SetParentList(nullptr);
}

void TTimerEvent::SetRepeatCount(int count)
{
    if (count == m_repeatCount)
        return;
    count = std::max(count, m_cycled ? 0 : 1);
    if (m_enabled && m_fireCount >= count)
        SetEnabled(false);
    m_repeatCount = count;
}

void TTimerEvent::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        return;
    m_fireCount = 0;
    m_lastFired = now();
    if (m_ownerList)
        m_ownerList->Reschedule();
}

void TTimerEvent::SetInterval(int interval)
{
    if (interval == m_interval || interval < 0)
        return;
    m_interval = interval;
    if (m_ownerList)
        m_ownerList->Reschedule();
}

void TTimerEvent::SetParentList(TTimerList *list)
{
    if (list == m_ownerList)
        return;
    if (m_ownerList)
        m_ownerList->Leave(this);
    if (list)
        list->Join(this);
}

TTimerList::TTimerList(QObject *parent) : QObject(parent)
{
    PublishEvent(QStringLiteral("OnFinish"), OnFinish);
    PublishEvent(QStringLiteral("OnTimers"), OnTimers);
}

TTimerList::~TTimerList()
{
    OnFinish = nullptr;
    OnTimers = nullptr;
    StopList();
    while (!m_events.isEmpty())
        delete m_events.constLast();
}

// The hidden window goes and comes with activation; the waiting of a long period starts afresh either way.
void TTimerList::SetActive(bool active)
{
    if (active == m_active)
        return;
    m_periodDone = 0;
    if (active) {
        m_timerWindow = std::make_unique<TTimerWindow>(this);
        const uint32_t current = now();
        for (TTimerEvent *event : m_events)
            if (event->m_enabled)
                event->m_lastFired = current;
        ChoosePeriod(current);
        SortByInterval();
        ArmTimer();
    } else {
        m_timerWindow.reset();
        CallHandler(OnFinish, this);
    }
    m_active = active;
}

int TTimerList::NewEventHandle()
{
    return ++m_handleCounter;
}

int TTimerList::AddEvent(TNotifyEvent handler, int interval, bool cycled)
{
    auto *event = new TTimerEvent(parent());
    event->OnTimer = std::move(handler);
    // Not yet in a list, so the setter only applies its rule for negative intervals.
    event->SetInterval(interval);
    event->m_cycled = cycled;
    Join(event);
    return event->m_eventHandle;
}

void TTimerList::DeleteEvent(int handle)
{
    for (TTimerEvent *event : m_events) {
        if (event->m_eventHandle == handle) {
            delete event;
            if (m_active)
                Reschedule();
            return;
        }
    }
}

void TTimerList::FireEvent(TTimerEvent *event)
{
    const QPointer<TTimerEvent> fired = event;
    CallHandler(event->OnTimer, event);
    if (fired && OnTimers)
        Guarded([&] { OnTimers(this, fired->m_eventHandle); });
}

void TTimerList::ChoosePeriod(uint32_t current)
{
    if (m_events.isEmpty()) {
        m_period = 0;
        return;
    }
    m_periodDone = 0;
    int64_t period = kNoPeriod;
    for (const TTimerEvent *event : m_events) {
        if (!event->m_enabled || event->m_interval <= 0)
            continue;
        period = std::min<int64_t>(period, event->m_interval);
        period = std::min<int64_t>(period, int64_t(event->m_interval) - since(event->m_lastFired, current));
    }
    period = std::max<int64_t>(period, kMinimumPeriod);
    if (period == kNoPeriod) {
        m_period = 0;
        return;
    }
    // Shrinks the period until it divides every interval; each restart makes it strictly smaller.
    for (bool divides = false; !divides && period > kMinimumPeriod;) {
        divides = true;
        for (const TTimerEvent *event : m_events) {
            const int64_t remainder = event->m_interval > 0 ? event->m_interval % period : 0;
            if (remainder != 0) {
                period -= remainder;
                divides = false;
                break;
            }
        }
    }
    m_period = int(std::max<int64_t>(period, kMinimumPeriod));
}

void TTimerList::ArmTimer()
{
    int elapse = m_period;
    if (m_period > kLongestElapse) {
        if (m_period - m_periodDone > kLongestElapse) {
            elapse = kLongestElapse;
            m_periodDone += kLongestElapse;
        } else {
            elapse = m_period - m_periodDone;
            m_periodDone = 0;
        }
    }
    if (!m_timerWindow)
        return;
    m_timerWindow->Kill();
    if (!AnyEnabled()) {
        StopList();
        return;
    }
    if (m_period > 0 && !SetWindowTimer(elapse)) {
        StopList();
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
    }
}

void TTimerList::StopList()
{
    if (!Loading())
        SetActive(false);
}

void TTimerList::SortByInterval()
{
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (qsizetype i = 0; i + 1 < m_events.size(); ++i) {
            if (m_events.at(i + 1)->m_interval < m_events.at(i)->m_interval) {
                m_events.swapItemsAt(i, i + 1);
                swapped = true;
            }
        }
    }
}

// From the last event to the first. The bookkeeping comes before the handler, so that a handler sees its
// own firing counted and an error in it does not make the event fire again at once. Handlers may delete
// events or the list itself. A handler lives in its event, so one that deletes its own event, or the list
// (which deletes its events), is gone with it: from then on it must touch neither its Sender nor anything
// it captured, and must return at once.
bool TTimerList::FireDueEvents()
{
    const uint32_t current = now();
    const QPointer<TTimerList> self = this;
    const QList<TTimerEvent *> snapshot = m_events;
    QList<QPointer<TTimerEvent>> events(snapshot.begin(), snapshot.end());
    bool disabled = false;
    for (qsizetype i = events.size() - 1; i >= 0 && self; --i) {
        TTimerEvent *event = events.at(i);
        if (!event || !event->m_enabled ||
            since(event->m_lastFired, current) < int64_t(event->m_interval) - kEarliness)
            continue;
        event->m_lastFired = current;
        ++event->m_fireCount;
        event->SetEnabled(event->m_cycled || event->m_fireCount < event->m_repeatCount);
        disabled = disabled || !event->m_enabled;
        FireEvent(event);
    }
    return disabled;
}

void TTimerList::TimerMessage()
{
    const QPointer<TTimerList> self = this;
    Guarded([&] {
        if (m_periodDone != 0 || !m_active) {
            ArmTimer();
            return;
        }
        const bool disabled = FireDueEvents();
        if (!self)
            return;
        if (disabled) {
            if (AnyEnabled()) {
                ChoosePeriod(now());
                ArmTimer();
            } else {
                StopList();
            }
        } else if (m_period > kLongestElapse) {
            // A long period is waited in pieces once more, rather than checked at the last piece's pace.
            ArmTimer();
        }
    });
}

void TTimerList::InsertChild(QObject *child)
{
    if (auto *event = qobject_cast<TTimerEvent *>(child))
        event->SetParentList(this);
}

bool TTimerList::SetWindowTimer(int elapse)
{
    return m_timerWindow->Start(elapse);
}

void TTimerList::Join(TTimerEvent *event)
{
    m_events.append(event);
    event->m_eventHandle = NewEventHandle();
    event->m_ownerList = this;
    ChoosePeriod(now());
    SortByInterval();
    ArmTimer();
}

void TTimerList::Leave(TTimerEvent *event)
{
    m_events.removeOne(event);
    event->m_ownerList = nullptr;
}

void TTimerList::Reschedule()
{
    ChoosePeriod(now());
    ArmTimer();
}

bool TTimerList::AnyEnabled() const
{
    return std::any_of(m_events.begin(), m_events.end(), [](const TTimerEvent *e) { return e->m_enabled; });
}
