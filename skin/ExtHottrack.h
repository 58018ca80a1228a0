#pragma once

#include "runtime/Color.h"
#include "runtime/Persistent.h"

// The font colours of the tab under the pointer, while hot tracking is on.
class TExtHottrack : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExtHottrack)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TColor TabActiveColor READ TabActiveColor WRITE SetTabActiveColor)
    Q_PROPERTY(TColor TabInactiveColor READ TabInactiveColor WRITE SetTabInactiveColor)

public:
    explicit TExtHottrack(QObject *parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    TColor TabActiveColor() const { return m_tabActiveColor; }
    void SetTabActiveColor(TColor color);
    TColor TabInactiveColor() const { return m_tabInactiveColor; }
    void SetTabInactiveColor(TColor color);

private:
    bool m_enabled = false;
    TColor m_tabActiveColor = clHighlight;
    TColor m_tabInactiveColor = clHighlight;
};
