#pragma once

#include <cstdint>

#include "runtime/Adapter.h"

// Milliseconds since an arbitrary start, 32 bits wide: it wraps after about 49.7 days, so callers take
// differences modulo 2^32.
class TTickCount : public TAdapter<TTickCount>
{
public:
    virtual uint32_t GetTickCount() = 0;

    static TTickCount &Platform();
};
