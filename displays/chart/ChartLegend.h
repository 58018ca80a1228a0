#pragma once

#include "runtime/Persistent.h"

// The legend's setting; the monitor hides it, and a hidden legend takes no room and draws nothing.
class TChartLegend : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartLegend)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TChartLegend(QObject *parent = nullptr);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

private:
    bool m_visible = true;
};
