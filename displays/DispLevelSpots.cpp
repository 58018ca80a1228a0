#include "displays/DispLevelSpots.h"

#include <algorithm>
#include <cmath>

#include "runtime/Numeric.h"

void TDispLevelSpots::Recalc(int length, int spotWidth, int spotSpace, int point1, int point2)
{
    m_spotWidth = std::max(spotWidth, 1);
    m_step = m_spotWidth + spotSpace;
    m_count = std::max((length + spotSpace) / m_step, 1);
    m_offset = (length - (m_count * m_step - spotSpace)) / 2;
    m_point1 = point1 * m_count / 100;
    m_point2 = point2 * m_count / 100;
}

int TDispLevelSpots::Zone(int spot) const
{
    if (spot > m_point2)
        return 3;
    return spot > m_point1 ? 2 : 1;
}

QRect TDispLevelSpots::Spot(int spot, bool vertical, bool reversed, int width, int height) const
{
    const int along = m_offset + (spot - 1) * m_step;
    if (vertical) {
        const int top = reversed ? along : height - along - m_spotWidth;
        return QRect(0, top, width, m_spotWidth);
    }
    const int left = reversed ? width - along - m_spotWidth : along;
    return QRect(left, 0, m_spotWidth, height);
}

// The product is taken in extended precision and rounded half to even, so 50 % lands where the scale puts
// it and not a rounding step away.
int TDispLevelSpots::Amplitude(int percent)
{
    percent = std::clamp(percent, 0, 100);
    return int(std::nearbyint(static_cast<long double>(percent * kFullScale) * 0.01L));
}

int TDispLevelSpots::Lit(int64_t amplitude, bool logAmp, int sensitivity) const
{
    double lit;
    if (logAmp) {
        const double ratio = std::max(double(amplitude) / kFullScale, 0.000001);
        const float decibels = float(20.0 * std::log10(ratio));
        lit = (double(decibels) - sensitivity) * m_count / -sensitivity;
    } else {
        const float floor = float(kFullScale / std::pow(10.0, -sensitivity * 0.05));
        lit = (double(amplitude) - floor) * m_count / (kFullScale - double(floor));
    }
    return int(std::max<int64_t>(Round(lit), 0));
}

int TDispLevelSpots::Percent(int lit, bool logAmp, int sensitivity, int gain8) const
{
    if (lit == 0)
        return 0;
    if (!logAmp)
        return int(Round(double(lit) * 100 / m_count));
    const double decibels = (sensitivity - double(lit) * sensitivity / m_count) * 0.05;
    return int(Round(std::pow(10.0, decibels) * 8 / gain8 * 100));
}
