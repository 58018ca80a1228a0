#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "runtime/Adapter.h"
#include "runtime/TestPeer.h"

// The one 25 ms tick that every level meter of the process shares. Clients join with an interval and a
// callback; each tick adds 25 ms to every client that is not suspended and calls those whose interval has
// passed. Callbacks run on the timer's own thread with the client list locked, so a client that has been
// removed is never called again. A callback is told the time since its last call and answers how long its
// client can be left alone: the ticks in between only add up, so a timer may deliver them as one, and a
// client that answers 0 rests until it is woken. Waking, resuming and joining count from the next tick
// on. Tests put a service in place whose ticks they deliver by hand.
class TDispTickService : public TAdapter<TDispTickService>
{
public:
    static constexpr int kPeriod = 25;

    // Given the milliseconds since its last call, answers those until it wants the next one (at least its
    // interval), or 0 to rest until woken.
    using TCallback = int (*)(void *owner, int elapsed);
    // 0 is no client.
    using TClientId = uint64_t;

    TDispTickService() = default;
    ~TDispTickService() override = default;
    TDispTickService(const TDispTickService &) = delete;
    TDispTickService &operator=(const TDispTickService &) = delete;

    // The first client starts the timer; when it cannot start there is no client and the answer is 0.
    TClientId AddClient(int interval, void *owner, TCallback callback);
    // The last client stops the timer. Ids this service never gave are ignored, as by the calls below.
    void RemoveClient(TClientId id);
    void Suspend(TClientId id);
    void Resume(TClientId id);
    // The client's state has changed: it is called at the next tick, whether it rested or waited. A change
    // given runs with the client list locked, so that no tick can count time that passed before it; the
    // client is woken only when the change answers true, and the change runs even for an unknown id.
    void Wake(TClientId id, const std::function<bool()> &change = {});

    // Ticks until the first client is due, or 0 when the service is idle.
    int TicksUntilDue() const;
    // A timer event standing for that many ticks, of which a client woken since the last event counts
    // only the last; an event that comes while the previous one still runs is skipped.
    void Tick(int ticks = 1);

    static TDispTickService &Platform();

protected:
    // The platform timer behind the ticks; all three are called with the client list unlocked. A timer
    // that stops ticking while the service is idle is woken when a client comes, resumes or wakes.
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;
    virtual void WakeTimer() = 0;
    // Ticks that passed before a wake-up, in which nobody was due; they do not count for a woken client.
    void Advance(int ticks);

private:
    friend struct TTestPeer<TDispTickService>;

    struct TClient
    {
        TClientId id;
        int interval;
        void *owner;
        TCallback callback;
        int suspendCount;
        int elapsed;
        // What the client asked for; 0 rests.
        int wait;
        // Joined, resumed or woken since the last tick.
        bool fresh;
    };

    TClient *Find(TClientId id);
    int ClientCount() const;
    int SuspendCount(TClientId id) const;
    bool Resting(TClientId id) const;
    // No client is there to be ticked: each one rests or is suspended.
    bool Idle() const;
    void Step(int ticks, int freshTicks);

    mutable std::mutex m_lock;
    // Serialises starting and stopping the timer against clients that come and go.
    std::mutex m_timerLock;
    std::vector<TClient> m_clients;
    std::atomic<int> m_running{0};
    // Ids are never reused, so a stale id cannot reach another meter's client.
    static inline std::atomic<TClientId> s_lastId{0};
};
