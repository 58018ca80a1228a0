#pragma once

#include <array>
#include <functional>
#include <memory>

#include "runtime/TestPeer.h"

class QTimer;

// The shared timers of the skin's buttons (hover checks, click repeats): a fixed number of slots, so that
// a program with many buttons runs out of them the way the platform would, with an error instead of a
// silent failure.
class TTimerPool
{
public:
    static constexpr int kSlots = 32;

    TTimerPool();
    ~TTimerPool();
    TTimerPool(const TTimerPool &) = delete;
    TTimerPool &operator=(const TTimerPool &) = delete;

    static TTimerPool &Instance();

    // A running timer's handle (never 0); throws EOutOfResources when every slot is taken.
    int Start(int interval, std::function<void()> tick);
    // An unknown or stopped handle is ignored.
    void Stop(int handle);

private:
    friend struct TTestPeer<TTimerPool>;

    bool Running(int handle) const;
    // One tick of that timer, as its timer delivers it.
    void Deliver(int handle);
    struct TSlot
    {
        std::unique_ptr<QTimer> timer;
        std::function<void()> tick;
    };

    TSlot *SlotOf(int handle);

    std::array<TSlot, kSlots> m_slots;
};
