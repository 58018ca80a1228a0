#include "runtime/TickCount.h"

#include <chrono>

namespace {

// The monotonic clock, cut to 32 bits.
class TPlatformTickCount : public TTickCount
{
public:
    uint32_t GetTickCount() override
    {
        const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
};

} // namespace

TTickCount &TTickCount::Platform()
{
    static TPlatformTickCount tickCount;
    return tickCount;
}
