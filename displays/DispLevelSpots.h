#pragma once

#include <cstdint>

#include <QRect>

#include "runtime/TestPeer.h"

// Where the spots of a level meter lie along its inner length, which zone each belongs to, and how an
// amplitude on the 16-bit scale maps onto a count of lit spots (and back to a percentage).
class TDispLevelSpots
{
public:
    static constexpr int kFullScale = 32767;

    // The spots of `length` pixels, centred; the zones start at percentages of the count.
    void Recalc(int length, int spotWidth, int spotSpace, int point1, int point2);

    int Count() const { return m_count; }
    // 1, 2 or 3.
    int Zone(int spot) const;
    // Spot `spot` (from 1) in an image of width x height; spot 1 is at the left, or the right when
    // reversed, or at the bottom (top when reversed) of a vertical meter.
    QRect Spot(int spot, bool vertical, bool reversed, int width, int height) const;

    // The amplitude of a percentage 0 to 100.
    static int Amplitude(int percent);
    // Lit spots for an amplitude already scaled by the gain; above Count() when it overflows.
    int Lit(int64_t amplitude, bool logAmp, int sensitivity) const;
    // The percentage that `lit` spots stand for at gain factor `gain8` (8 is unity).
    int Percent(int lit, bool logAmp, int sensitivity, int gain8) const;

private:
    friend struct TTestPeer<TDispLevelSpots>;

    int m_spotWidth = 1;
    int m_step = 2;
    int m_count = 1;
    int m_offset = 0;
    int m_point1 = 0;
    int m_point2 = 0;
};
