#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>

#include "runtime/Color.h"
#include "runtime/TestPeer.h"

// The recoloured digit strips that every LED digit of the process shares: one per distinct key, counted,
// freed with its last user. Lives in TProcessState.
class TDigitCache
{
public:
    using TStripRef = const QImage *;

    // The digit strip for display type 0, the special strip otherwise; colours compare as stored.
    TStripRef Acquire(int displayType, int digitSize, bool drawInactive, TColor background, TColor led,
                      TColor inactive);
    // Drops one use and clears the reference; null and unknown strips are ignored.
    void Release(TStripRef &strip);
    bool IsEmpty() const { return m_entries.empty(); }

private:
    friend struct TTestPeer<TDigitCache>;

    struct TEntry
    {
        std::unique_ptr<QImage> strip;
        int displayType;
        int digitSize;
        bool drawInactive;
        TColor background;
        TColor led;
        TColor inactive;
        int references;
    };

    std::vector<TEntry> m_entries;
};
