#include "nwsim/face/Delivery.h"

#include <algorithm>
#include <limits>

namespace nwsim {

namespace {

constexpr std::uint64_t kBusyInterval = 100;
// A fault counted in calls has no end in time, and the held request is the only one its connection sends.
constexpr std::uint64_t kBusyPerCall = 1000;

std::uint64_t busyRelease(const WireFault &fault, std::uint64_t now)
{
    if (fault.start.unit == TriggerUnit::Calls) {
        return now + kBusyPerCall;
    }
    return fault.length == 0 ? std::numeric_limits<std::uint64_t>::max()
                             : (std::uint64_t(fault.start.value) + fault.length) * 1000;
}

} // namespace

Delivery::Delivery(ncp::Bytes frame, ncp::Bytes busyNote, const WireFault *fault, std::uint64_t now)
    : m_frame(std::move(frame)), m_busyNote(std::move(busyNote)), m_due(now)
{
    if (fault == nullptr) {
        return;
    }
    switch (fault->kind) {
    case WireFaultKind::Slow:
        m_due = now + fault->milliseconds;
        break;
    case WireFaultKind::Trickle:
        m_trickle = true;
        m_step = fault->milliseconds;
        break;
    case WireFaultKind::Busy:
        m_release = busyRelease(*fault, now);
        break;
    default:
        break;
    }
}

ncp::Bytes Delivery::Take(std::uint64_t now)
{
    if (now < m_due || Done()) {
        return {};
    }
    if (now < m_release) {
        m_due = std::min(now + kBusyInterval, m_release);
        return m_busyNote;
    }
    const std::size_t first = m_sent;
    m_sent = m_trickle ? m_sent + 1 : m_frame.size();
    m_due = now + m_step;
    return ncp::Bytes(m_frame.begin() + std::ptrdiff_t(first), m_frame.begin() + std::ptrdiff_t(m_sent));
}

} // namespace nwsim
