#pragma once

#include <cstdint>

#include "runtime/TickCount.h"

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
