#pragma once

#include <cstdint>

#include "ncp/wire/Bytes.h"
#include "nwsim/ServerSetup.h"

namespace nwsim {

// One reply on its way to the client as the wire fault it met lets it go: whole and at once, late, a byte
// at a time, or held back behind "still working" notes. A dropped connection has no delivery.
class Delivery
{
public:
    // fault: slow, trickle or busy; null for none. busyNote: the "still working" packet for this request.
    Delivery(ncp::Bytes frame, ncp::Bytes busyNote, const WireFault *fault, std::uint64_t now);

    // When the next bytes go.
    std::uint64_t Due() const { return m_due; }
    // The bytes that go at now: nothing before Due(), never anything after Done().
    ncp::Bytes Take(std::uint64_t now);
    bool Done() const { return m_sent == m_frame.size(); }

private:
    ncp::Bytes m_frame;
    ncp::Bytes m_busyNote;
    std::size_t m_sent = 0;
    std::uint64_t m_due;
    bool m_trickle = false;
    std::uint32_t m_step = 0;
    // Until then the reply is held back behind busy notes.
    std::uint64_t m_release = 0;
};

} // namespace nwsim
