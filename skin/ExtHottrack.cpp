#include "skin/ExtHottrack.h"

TExtHottrack::TExtHottrack(QObject *parent) : TPersistent(parent)
{}

void TExtHottrack::SetEnabled(bool enabled)
{
    Store(m_enabled, enabled);
}

void TExtHottrack::SetTabActiveColor(TColor color)
{
    Store(m_tabActiveColor, color);
}

void TExtHottrack::SetTabInactiveColor(TColor color)
{
    Store(m_tabInactiveColor, color);
}
