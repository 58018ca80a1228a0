#include "nwsim/ServerState.h"

#include <cstring>

#include "netware/nwclient.h"
#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

bool reached(const std::optional<Trigger> &trigger, std::uint64_t second, std::uint64_t calls)
{
    if (!trigger) {
        return false;
    }
    return trigger->unit == TriggerUnit::Seconds ? second >= trigger->value : calls >= trigger->value;
}

} // namespace

ServerState::ServerState(ServerSetup setup) : m_setup(std::move(setup)), m_model(m_setup.profile, m_setup.seed)
{}

bool ServerState::Answering(std::uint64_t second) const
{
    if (!reached(m_setup.stop, second, m_statsCalls)) {
        return true;
    }
    const std::uint64_t length = m_setup.stopLength;
    if (length == 0) {
        return false;
    }
    return m_setup.stop->unit == TriggerUnit::Seconds ? second - m_setup.stop->value >= length
                                                      : m_refusedCalls >= length;
}

std::uint32_t ServerState::Statistics(std::uint64_t millisecond, std::uint8_t *record, Request request)
{
    const std::uint64_t second = millisecond / 1000;
    if (!Answering(second)) {
        ++m_refusedCalls;
        return codes::kServerNotResponding;
    }
    ++m_statsCalls;
    if (m_setup.majorVersion < 4 && request == Request::Version4) {
        return NW_ERR_NOT_SUPPORTED;
    }
    if (!m_setup.consoleRights) {
        return NW_ERR_NO_CONSOLE_RIGHTS;
    }
    checkRestart(millisecond);
    const Sample sample = sampleAt(millisecond);
    // Packet counts follow the request counter loosely; they only have to look alive.
    const std::uint64_t packets = std::uint64_t(sample.counter) * 5 / 4;
    std::memset(record, 0, NW_SERVER_INFO_SIZE);
    text::PutLittleEndian32(record + NW_SERVER_INFO_TIME, std::uint32_t(m_setup.seed % 2'000'000u + second));
    text::PutLittleEndian32(record + NW_SERVER_INFO_NCP_REQUESTS, sample.counter);
    text::PutLittleEndian32(record + NW_SERVER_INFO_UTILIZATION, sample.cpu);
    text::PutLittleEndian32(record + NW_SERVER_INFO_PACKETS_SERVICED, std::uint32_t(packets));
    text::PutLittleEndian32(record + NW_SERVER_INFO_PACKETS_ROUTED, sample.counter / 9);
    return NW_SUCCESS;
}

void ServerState::SetClockOffset(std::int64_t seconds)
{
    m_clockOffset = seconds;
}

void ServerState::checkRestart(std::uint64_t millisecond)
{
    if (m_restartTotal || !reached(m_setup.restart, millisecond / 1000, m_statsCalls)) {
        return;
    }
    const bool bySeconds = m_setup.restart->unit == TriggerUnit::Seconds;
    m_restartTotal = bySeconds ? totalRequests(m_setup.restart->value) : totalRequestsAt(millisecond);
}

Sample ServerState::sampleAt(std::uint64_t millisecond)
{
    if (m_setup.samples.empty()) {
        return {m_model.Cpu(millisecond / 1000), counterAt(millisecond)};
    }
    const Sample sample = m_setup.samples[m_nextSample];
    if (m_nextSample + 1 < m_setup.samples.size()) {
        ++m_nextSample;
    }
    return sample;
}

std::uint64_t ServerState::totalRequests(std::uint64_t second)
{
    // Requests are summed second by second; the sum is kept so a long run costs one step per new second.
    if (second < m_memoSecond) {
        m_memoSecond = 0;
        m_memoTotal = 0;
    }
    for (; m_memoSecond < second; ++m_memoSecond) {
        m_memoTotal += m_model.Requests(m_memoSecond);
    }
    return m_memoTotal;
}

// The requests of a second arrive evenly through it, so two reads one second apart always see about one
// second's requests, wherever within their seconds they fall.
std::uint64_t ServerState::totalRequestsAt(std::uint64_t millisecond)
{
    const std::uint64_t second = millisecond / 1000;
    return totalRequests(second) + std::uint64_t(m_model.Requests(second)) * (millisecond % 1000) / 1000;
}

std::uint32_t ServerState::counterAt(std::uint64_t millisecond)
{
    const std::uint64_t total = totalRequestsAt(millisecond);
    if (m_restartTotal) {
        return std::uint32_t(m_setup.restartValue + (total - *m_restartTotal));
    }
    return std::uint32_t(m_setup.counterStart + total);
}

} // namespace nwsim
