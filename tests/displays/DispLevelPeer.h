#pragma once

#include "displays/DispLevel.h"

template <> struct TTestPeer<TDispDecayFilter>
{
    static float Factor(const TDispDecayFilter &filter) { return filter.m_factor; }
    static int RingLength(const TDispDecayFilter &filter) { return filter.m_ringLength; }
};

template <> struct TTestPeer<TDispLevelSpots>
{
    static int Offset(const TDispLevelSpots &spots) { return spots.m_offset; }
    static int Point1(const TDispLevelSpots &spots) { return spots.m_point1; }
    static int Point2(const TDispLevelSpots &spots) { return spots.m_point2; }
};

template <> struct TTestPeer<TDispCustomLevel>
{
    static const TDispLevelSpots &Spots(const TDispCustomLevel &meter) { return meter.m_spots; }
    static const TDispDIBCanvas &Background(const TDispCustomLevel &meter) { return meter.m_background; }
    static int Peak(const TDispCustomLevel &meter) { return meter.Peak(); }
    static bool RedrawPending(const TDispCustomLevel &meter) { return meter.m_redrawPending; }
    static int BlockSize(const TDispCustomLevel &meter) { return meter.m_blockSize; }
    static void SetOnDrawBar(TDispCustomLevel &meter, TDispLevelDrawBar handler)
    {
        meter.SetOnDrawBar(std::move(handler));
    }
};
