#include "runtime/Persistent.h"

TPersistent::TPersistent(QObject *parent) : QObject(parent)
{}

void TPersistent::BeginUpdate()
{
    if (m_updateCount++ == 0)
        UpdateStateChanged(true);
}

void TPersistent::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        UpdateStateChanged(false);
}

void TPersistent::UpdateStateChanged(bool updating)
{
    if (!updating)
        Changed();
}

void TPersistent::Changed()
{
    if (m_updateCount == 0 && m_changeHandler)
        m_changeHandler();
}
