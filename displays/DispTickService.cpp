#include "displays/DispTickService.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <system_error>
#include <thread>
#include <utility>

#include "runtime/ProcessState.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPeriodLength{TDispTickService::kPeriod};

// A thread on a fixed 25 ms schedule that wakes only at the ticks where a client is due and otherwise
// waits, also without end while the service is idle; a client that wakes or comes cuts the wait short. It
// owns a thread, so it stops with the application.
class TPlatformDispTick : public TDispTickService
{
public:
    static constexpr bool kStopsWithApplication = true;

    ~TPlatformDispTick() override { StopTimer(); }

protected:
    bool StartTimer() override
    {
        m_stopping = false;
        try {
            m_thread = std::thread([this] { Run(); });
        } catch (const std::system_error &) {
            return false;
        }
        return true;
    }

    void StopTimer() override
    {
        if (!m_thread.joinable())
            return;
        {
            std::lock_guard lock(m_wakeLock);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    // Set under the lock, so that a wake-up between the idle check and the wait is not lost.
    void WakeTimer() override
    {
        {
            std::lock_guard lock(m_wakeLock);
            m_woken = true;
        }
        m_wake.notify_one();
    }

private:
    void Run()
    {
        // The last tick delivered; the schedule runs on from it.
        TClock::time_point last = TClock::now();
        for (;;) {
            m_woken = false;
            const int due = TicksUntilDue();
            std::unique_lock lock(m_wakeLock);
            const auto stirred = [this] { return m_stopping || m_woken; };
            if (due == 0) {
                m_wake.wait(lock, stirred);
                // Nobody was counting, so the schedule starts afresh at the wake-up.
                last = TClock::now();
            } else if (m_wake.wait_until(lock, last + due * kPeriodLength, stirred)) {
                lock.unlock();
                const int passed = int((TClock::now() - last) / kPeriodLength);
                if (passed > 0 && !m_stopping) {
                    Advance(passed);
                    last += passed * kPeriodLength;
                }
            } else {
                lock.unlock();
                Tick(due);
                last += due * kPeriodLength;
                // After a stall the schedule starts afresh instead of delivering the missed ticks in a burst.
                if (TClock::now() - last > kPeriodLength)
                    last = TClock::now();
            }
            if (m_stopping)
                return;
        }
    }

    std::thread m_thread;
    std::mutex m_wakeLock;
    std::condition_variable m_wake;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_woken{false};
};

// The client of that id in a list, const or not.
template <class Clients> auto FindClient(Clients &clients, TDispTickService::TClientId id)
{
    return std::find_if(clients.begin(), clients.end(), [id](const auto &client) { return client.id == id; });
}

} // namespace

TDispTickService &TDispTickService::Platform()
{
    return TProcessState<TPlatformDispTick>::Instance();
}

TDispTickService::TClientId TDispTickService::AddClient(int interval, void *owner, TCallback callback)
{
    std::lock_guard timerLock(m_timerLock);
    if (ClientCount() == 0 && !StartTimer())
        return 0;
    const TClientId id = ++s_lastId;
    {
        std::lock_guard lock(m_lock);
        const int least = std::max(interval, kPeriod);
        m_clients.push_back({id, least, owner, callback, 0, 0, least, true});
    }
    // Also for the first client: the new thread may have found the list empty and begun to wait.
    WakeTimer();
    return id;
}

void TDispTickService::RemoveClient(TClientId id)
{
    std::lock_guard timerLock(m_timerLock);
    bool last = false;
    {
        std::lock_guard lock(m_lock);
        const auto client = FindClient(m_clients, id);
        if (client == m_clients.end())
            return;
        m_clients.erase(client);
        last = m_clients.empty();
    }
    // Unlocked: a tick in flight may be waiting for the list and must finish for the timer to stop.
    if (last)
        StopTimer();
}

void TDispTickService::Suspend(TClientId id)
{
    std::lock_guard lock(m_lock);
    if (TClient *client = Find(id)) {
        ++client->suspendCount;
        client->elapsed = 0;
    }
}

void TDispTickService::Resume(TClientId id)
{
    bool active = false;
    {
        std::lock_guard lock(m_lock);
        if (TClient *client = Find(id); client && client->suspendCount > 0) {
            active = --client->suspendCount == 0 && client->wait != 0;
            client->fresh = true;
        }
    }
    if (active)
        WakeTimer();
}

void TDispTickService::Wake(TClientId id, const std::function<bool()> &change)
{
    bool active = false;
    {
        std::lock_guard lock(m_lock);
        if (change && !change())
            return;
        if (TClient *client = Find(id)) {
            client->elapsed = 0;
            client->wait = client->interval;
            client->fresh = true;
            active = client->suspendCount == 0;
        }
    }
    if (active)
        WakeTimer();
}

int TDispTickService::ClientCount() const
{
    std::lock_guard lock(m_lock);
    return int(m_clients.size());
}

int TDispTickService::SuspendCount(TClientId id) const
{
    std::lock_guard lock(m_lock);
    const auto client = FindClient(m_clients, id);
    return client == m_clients.end() ? 0 : client->suspendCount;
}

bool TDispTickService::Resting(TClientId id) const
{
    std::lock_guard lock(m_lock);
    const auto client = FindClient(m_clients, id);
    return client != m_clients.end() && client->wait == 0;
}

bool TDispTickService::Idle() const
{
    std::lock_guard lock(m_lock);
    return std::none_of(m_clients.begin(), m_clients.end(),
                        [](const TClient &client) { return client.suspendCount == 0 && client.wait != 0; });
}

int TDispTickService::TicksUntilDue() const
{
    std::lock_guard lock(m_lock);
    int due = 0;
    for (const TClient &client : m_clients) {
        if (client.suspendCount != 0 || client.wait == 0)
            continue;
        const int ticks = client.fresh ? 1 : std::max((client.wait - client.elapsed + kPeriod - 1) / kPeriod, 1);
        due = due == 0 ? ticks : std::min(due, ticks);
    }
    return due;
}

void TDispTickService::Tick(int ticks)
{
    Step(ticks, 1);
}

void TDispTickService::Advance(int ticks)
{
    Step(ticks, 0);
}

void TDispTickService::Step(int ticks, int freshTicks)
{
    if (m_running.fetch_add(1) == 0) {
        std::lock_guard lock(m_lock);
        for (TClient &client : m_clients) {
            if (client.suspendCount != 0 || client.wait == 0)
                continue;
            client.elapsed += kPeriod * (std::exchange(client.fresh, false) ? freshTicks : ticks);
            if (client.elapsed >= client.wait) {
                const int wanted = client.callback(client.owner, std::exchange(client.elapsed, 0));
                client.wait = wanted <= 0 ? 0 : std::max(wanted, client.interval);
            }
        }
    }
    m_running.fetch_sub(1);
}

TDispTickService::TClient *TDispTickService::Find(TClientId id)
{
    const auto client = FindClient(m_clients, id);
    return client == m_clients.end() ? nullptr : &*client;
}
