#pragma once

#include <QString>

#include "runtime/Component.h"

// A window's member that reaches one of the components its stored layout creates: declared once, as
// `TBound<TExplorerButton> BServer{this, "BServer"};`, and pointed at the component of that name by the
// layout reader after reading. A layout without it, or with a component of another class under that name,
// fails to read with a line-numbered error, so a bound member is never null once the window exists.
template <class T> class TBound
{
public:
    TBound(TComponent *owner, const char *name) : TBound(owner, QString::fromLatin1(name)) {}
    TBound(TComponent *owner, const QString &name)
    {
        owner->AddBoundMember({name, &T::staticMetaObject,
                               [this](QObject *component) { m_component = qobject_cast<T *>(component); }});
    }
    TBound(const TBound &) = delete;
    TBound &operator=(const TBound &) = delete;

    T *operator->() const { return m_component; }
    operator T *() const { return m_component; }

private:
    T *m_component = nullptr;
};
