#pragma once

#include <optional>

#include <QRegion>

#include "runtime/Persistent.h"

class TCoolForm;

// The holder of a skin control's region. It stores nothing itself: the control stores the region as its
// "Mask2" block.
class TRegionType : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TRegionType)

public:
    explicit TRegionType(TCoolForm *owner);

    const std::optional<QRegion> &RegionHandle() const { return m_region; }
    void SetRegionHandle(std::optional<QRegion> region) { m_region = std::move(region); }

private:
    std::optional<QRegion> m_region;
};
