#include "tests/runtime/layout/TestContainer.h"

#include "tests/runtime/layout/TestJournal.h"

TTestContainer::TTestContainer(QObject *parent) : QObject(parent)
{}

void TTestContainer::SetActive(bool active)
{
    TTestJournal::Add(QStringLiteral("%1.Active loading=%2").arg(objectName()).arg(Loading()));
    m_active = active;
}

void TTestContainer::InsertChild(QObject *child)
{
    m_items << child;
}

void TTestContainer::Loaded()
{
    TComponent::Loaded();
    TTestJournal::Add(objectName() + QLatin1String(".Loaded"));
}
