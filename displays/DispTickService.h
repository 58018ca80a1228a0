#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "runtime/Adapter.h"

// The one 25 ms tick that every level meter of the process shares. Clients join with an interval and a
// callback; each tick adds 25 ms to every client that is not suspended and calls those whose interval has
// passed. Callbacks run on the timer's own thread with the client list locked, so a client that has been
// removed is never called again. Tests put a service in place whose ticks they deliver by hand.
class TDispTickService : public TAdapter<TDispTickService>
{
public:
    static constexpr int kPeriod = 25;

    using TCallback = void (*)(void *owner);
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

    int ClientCount() const;
    int SuspendCount(TClientId id) const;
    // One timer event; an event that comes while the previous one still runs is skipped.
    void Tick();

    static TDispTickService &Platform();

protected:
    // The platform timer behind the ticks; both are called with the client list unlocked.
    virtual bool StartTimer() = 0;
    virtual void StopTimer() = 0;

private:
    struct TClient
    {
        TClientId id;
        int interval;
        void *owner;
        TCallback callback;
        int suspendCount;
        int elapsed;
    };

    TClient *Find(TClientId id);

    mutable std::mutex m_lock;
    // Serialises starting and stopping the timer against clients that come and go.
    std::mutex m_timerLock;
    std::vector<TClient> m_clients;
    std::atomic<int> m_running{0};
    // Ids are never reused, so a stale id cannot reach another meter's client.
    static inline std::atomic<TClientId> s_lastId{0};
};
