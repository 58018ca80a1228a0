#include "displays/DigitCache.h"

#include <algorithm>

#include "displays/GlyphStrip.h"

TDigitCache::TStripRef TDigitCache::Acquire(int displayType, int digitSize, bool drawInactive,
                                            TColor background, TColor led, TColor inactive)
{
    for (TEntry &entry : m_entries)
        if (entry.displayType == displayType && entry.digitSize == digitSize &&
            entry.drawInactive == drawInactive && entry.background == background && entry.led == led &&
            entry.inactive == inactive) {
            ++entry.references;
            return entry.strip.get();
        }
    auto strip = std::make_unique<QImage>(
        GlyphStrip::Recolour(GlyphStrip::Load(GlyphStrip::DigitStrip(displayType, digitSize)), led,
                             background, inactive, drawInactive));
    TStripRef result = strip.get();
    m_entries.push_back(
        {std::move(strip), displayType, digitSize, drawInactive, background, led, inactive, 1});
    return result;
}

void TDigitCache::Release(TStripRef &strip)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [strip](const TEntry &entry) { return entry.strip.get() == strip; });
    if (!strip || found == m_entries.end())
        return;
    if (--found->references == 0)
        m_entries.erase(found);
    strip = nullptr;
}
