#include "displays/DispTickService.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "runtime/ProcessState.h"

namespace {

using TClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPeriodLength{TDispTickService::kPeriod};

// A thread that ticks on a fixed 25 ms schedule; it owns a thread, so it stops with the application. It
// sleeps rather than waits on a condition, which costs less per wake-up; stopping takes up to one period.
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
        m_stopping = true;
        m_thread.join();
    }

private:
    void Run()
    {
        TClock::time_point next = TClock::now();
        for (;;) {
            next += kPeriodLength;
            std::this_thread::sleep_until(next);
            if (m_stopping)
                return;
            Tick();
            // After a stall the schedule starts afresh instead of delivering the missed ticks in a burst.
            const TClock::time_point now = TClock::now();
            if (now - next > kPeriodLength)
                next = now;
        }
    }

    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
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
    std::lock_guard lock(m_lock);
    m_clients.push_back({id, std::max(interval, kPeriod), owner, callback, 0, 0});
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
    std::lock_guard lock(m_lock);
    if (TClient *client = Find(id); client && client->suspendCount > 0)
        --client->suspendCount;
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

void TDispTickService::Tick()
{
    if (m_running.fetch_add(1) == 0) {
        std::lock_guard lock(m_lock);
        for (TClient &client : m_clients) {
            if (client.suspendCount != 0)
                continue;
            client.elapsed += kPeriod;
            if (client.elapsed >= client.interval) {
                client.callback(client.owner);
                client.elapsed = 0;
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
