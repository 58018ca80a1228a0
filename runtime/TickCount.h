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

// The monotonic clock, cut to 32 bits.
class TPlatformTickCount : public TTickCount
{
public:
    uint32_t GetTickCount() override;
};

// A clock that tests set and advance by hand.
class TFakeTickCount : public TTickCount
{
public:
    explicit TFakeTickCount(uint32_t value = 0) : m_value(value) {}

    uint32_t GetTickCount() override { return m_value; }
    void SetValue(uint32_t value) { m_value = value; }
    // Wraps like the real count.
    void Advance(uint32_t milliseconds) { m_value += milliseconds; }

private:
    uint32_t m_value;
};
