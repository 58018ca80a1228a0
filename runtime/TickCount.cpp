#include "runtime/TickCount.h"

#include <chrono>

TTickCount &TTickCount::Platform()
{
    static TPlatformTickCount tickCount;
    return tickCount;
}

uint32_t TPlatformTickCount::GetTickCount()
{
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
