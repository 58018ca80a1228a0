#pragma once

#include <cstdint>
#include <optional>

#include "nwsim/LoadModel.h"
#include "nwsim/ServerSetup.h"

namespace nwsim {

// One simulated file server while the client runs: its load, its cumulative request counter (wrapping
// modulo 2^32 like the real one), scripted samples and faults, and its clock.
class ServerState
{
public:
    explicit ServerState(ServerSetup setup);

    const ServerSetup &Setup() const { return m_setup; }
    const LoadModel &Model() const { return m_model; }
    bool Answering(std::uint64_t second) const;
    // The 4.x statistics request, or the older requests for the same counters that every version answers.
    enum class Request
    {
        Version4,
        AnyVersion
    };

    // Fills the server-info record for a statistics request made at that millisecond since the client
    // started; returns the completion code. Each request counts towards the server's call-based faults.
    std::uint32_t Statistics(std::uint64_t millisecond, std::uint8_t *record,
                             Request request = Request::Version4);
    std::int64_t ClockOffset() const { return m_clockOffset; }
    void SetClockOffset(std::int64_t seconds);

private:
    void checkRestart(std::uint64_t millisecond);
    Sample sampleAt(std::uint64_t millisecond);
    std::uint64_t totalRequests(std::uint64_t second);
    std::uint64_t totalRequestsAt(std::uint64_t millisecond);
    std::uint32_t counterAt(std::uint64_t millisecond);

    ServerSetup m_setup;
    LoadModel m_model;
    std::uint64_t m_statsCalls = 0;
    std::uint64_t m_refusedCalls = 0;
    std::optional<std::uint64_t> m_restartTotal;
    std::uint64_t m_memoSecond = 0;
    std::uint64_t m_memoTotal = 0;
    std::size_t m_nextSample = 0;
    std::int64_t m_clockOffset = 0;
};

} // namespace nwsim
