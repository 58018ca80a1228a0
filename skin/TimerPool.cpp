#include "skin/TimerPool.h"

#include <QTimer>

#include "runtime/Exception.h"
#include "runtime/ProcessState.h"

TTimerPool::TTimerPool() = default;

TTimerPool::~TTimerPool() = default;

TTimerPool &TTimerPool::Instance()
{
    return TProcessState<TTimerPool>::Instance();
}

int TTimerPool::Start(int interval, std::function<void()> tick)
{
    for (int i = 0; i < kSlots; ++i) {
        TSlot &slot = m_slots[i];
        if (slot.tick)
            continue;
        const int handle = i + 1;
        if (!slot.timer) {
            slot.timer = std::make_unique<QTimer>();
            QObject::connect(slot.timer.get(), &QTimer::timeout, [this, handle] { Deliver(handle); });
        }
        slot.tick = std::move(tick);
        slot.timer->start(interval);
        return handle;
    }
    throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

void TTimerPool::Stop(int handle)
{
    if (TSlot *slot = SlotOf(handle)) {
        slot->timer->stop();
        slot->tick = nullptr;
    }
}

bool TTimerPool::Running(int handle) const
{
    return handle >= 1 && handle <= kSlots && m_slots[handle - 1].tick != nullptr;
}

void TTimerPool::Deliver(int handle)
{
    // A copy, so that a tick may stop its own timer.
    if (TSlot *slot = SlotOf(handle)) {
        const std::function<void()> tick = slot->tick;
        tick();
    }
}

TTimerPool::TSlot *TTimerPool::SlotOf(int handle)
{
    return Running(handle) ? &m_slots[handle - 1] : nullptr;
}
