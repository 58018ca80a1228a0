#include "nwsim/face/WireFaults.h"

namespace nwsim {

WireFaults::WireFaults(std::vector<WireFault> faults) : m_faults(std::move(faults))
{}

WireFaults::Conditions WireFaults::Arrive(bool statistics, std::uint64_t millisecond)
{
    Conditions conditions;
    for (const WireFault &fault : m_faults) {
        if (!holds(fault, millisecond / 1000)) {
            continue;
        }
        // A fault counted in statistics requests catches those alone: a client it drops or holds up can
        // still connect again and ask once more, which is what moves the count on.
        const bool catches = statistics || fault.start.unit == TriggerUnit::Seconds;
        if (fault.kind == WireFaultKind::Signing) {
            conditions.signing = true;
        } else if (conditions.delivery == nullptr && catches) {
            conditions.delivery = &fault;
        }
    }
    if (statistics) {
        ++m_calls;
    }
    return conditions;
}

bool WireFaults::holds(const WireFault &fault, std::uint64_t second) const
{
    const std::uint64_t at = fault.start.unit == TriggerUnit::Seconds ? second : m_calls;
    return at >= fault.start.value && (fault.length == 0 || at - fault.start.value < fault.length);
}

} // namespace nwsim
