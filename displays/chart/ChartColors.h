#pragma once

#include "runtime/Color.h"

// The chart's two sentinels: take the owner's colour, and draw nothing.
inline constexpr TColor ColorDefault{0x80000000u};
inline constexpr TColor ColorNone{0x1FFFFFFFu};
