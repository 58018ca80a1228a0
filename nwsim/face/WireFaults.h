#pragma once

#include <cstdint>
#include <vector>

#include "nwsim/ServerSetup.h"

namespace nwsim {

// The wire faults of one server, and the statistics requests it has had, which time the faults counted in
// calls.
class WireFaults
{
public:
    struct Conditions
    {
        // How the reply goes (slow, trickle, drop or busy); null: as usual.
        const WireFault *delivery = nullptr;
        bool signing = false;
    };

    explicit WireFaults(std::vector<WireFault> faults);

    // What a request arriving at that millisecond meets. A statistics request counts only after that, so
    // "after N calls" lets N of them through, as a stop does.
    Conditions Arrive(bool statistics, std::uint64_t millisecond);

private:
    bool holds(const WireFault &fault, std::uint64_t second) const;

    std::vector<WireFault> m_faults;
    std::uint64_t m_calls = 0;
};

} // namespace nwsim
