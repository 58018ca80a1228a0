#include "runtime/Component.h"

#include <QObject>

void TComponent::Loaded()
{
    m_loading = false;
}

std::vector<TDefinedProperty> TComponent::DefinedProperties()
{
    return {};
}

bool TComponent::StoresProperty(const char *) const
{
    return true;
}

void TComponent::InsertChild(QObject *)
{}

TNotifyEvent *TComponent::Event(const QString &name) const
{
    for (const TEventProperty &event : m_events)
        if (event.name == name)
            return event.handler;
    return nullptr;
}

void TComponent::BindEvent(const QString &event, const QString &handlerName, TNotifyEvent handler)
{
    TNotifyEvent *slot = Event(event);
    if (!slot)
        return;
    *slot = std::move(handler);
    if (handlerName.isEmpty())
        m_handlerNames.remove(event);
    else
        m_handlerNames.insert(event, handlerName);
}

TComponent *TComponent::Of(QObject *object)
{
    return dynamic_cast<TComponent *>(object);
}

const TComponent *TComponent::Of(const QObject *object)
{
    return dynamic_cast<const TComponent *>(object);
}

void TComponent::PublishEvent(const QString &name, TNotifyEvent &handler)
{
    m_events.push_back({name, &handler});
}
