#pragma once

#include "displays/DispLevel.h"

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
