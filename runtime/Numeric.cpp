#include "runtime/Numeric.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A whole-valued double as int64, saturating at the ends of the range.
int64_t Saturate(double whole)
{
    if (std::isnan(whole))
        return 0;
    constexpr double kTop = 9223372036854775808.0; // 2^63, the first value that no longer fits
    if (whole >= kTop)
        return std::numeric_limits<int64_t>::max();
    if (whole < -kTop)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(whole);
}

} // namespace

int64_t Round(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return Saturate(whole);
}

int64_t Trunc(double value)
{
    return Saturate(std::trunc(value));
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    int64_t quotient = product / c;
    const int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(c))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}
