#pragma once

#include <QList>
#include <QObject>

#include "runtime/Component.h"

// A non-visual component that keeps a list of the objects stored under it, like a timer list.
class TTestContainer : public QObject, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QObject *Target READ Target WRITE SetTarget)

public:
    explicit TTestContainer(QObject *parent = nullptr);

    bool Active() const { return m_active; }
    void SetActive(bool active);
    QObject *Target() const { return m_target; }
    void SetTarget(QObject *target) { m_target = target; }
    const QList<QObject *> &Items() const { return m_items; }

    void InsertChild(QObject *child) override;
    void Loaded() override;

private:
    bool m_active = false;
    QObject *m_target = nullptr;
    QList<QObject *> m_items;
};
