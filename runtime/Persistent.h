#pragma once

#include <functional>
#include <utility>

#include <QObject>

// A stored sub-object of a component (a font, a display's bevel, a chart's axis or pen): its owner binds
// one change handler, which every change reaches unless an update lock holds it back. Releasing the
// outermost lock notifies once, so a batch of changes reaches the owner as one.
class TPersistent : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPersistent)

public:
    using TChangeHandler = std::function<void()>;

    explicit TPersistent(QObject *parent = nullptr);

    // An empty handler unbinds the owner; an owner unbinds before it goes.
    void SetChangeHandler(TChangeHandler handler) { m_changeHandler = std::move(handler); }

    void BeginUpdate();
    void EndUpdate();

protected:
    // True when the first lock is taken, false when the last is released; false notifies.
    virtual void UpdateStateChanged(bool updating);
    // Notifies the owner, unless a lock holds it back.
    virtual void Changed();
    // A setter's compare, store and notify.
    template <class T> void Store(T &field, T value)
    {
        if (field == value)
            return;
        field = std::move(value);
        Changed();
    }

private:
    int m_updateCount = 0;
    TChangeHandler m_changeHandler;
};
