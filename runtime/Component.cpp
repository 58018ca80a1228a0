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

const TEventProperty *TComponent::EventProperty(const QString &name) const
{
    for (const TEventProperty &event : m_events)
        if (event.name == name)
            return &event;
    return nullptr;
}

TNotifyEvent *TComponent::Event(const QString &name) const
{
    const TEventProperty *event = EventProperty(name);
    return event ? event->handler : nullptr;
}

void TComponent::BindEvent(const QString &event, const QString &handlerName, TNotifyEvent handler)
{
    TNotifyEvent *slot = Event(event);
    if (!slot)
        return;
    *slot = std::move(handler);
    RememberHandler(event, handlerName);
}

void TComponent::BindEvent(const QString &event, const QString &handlerName, QObject *form,
                           const QMetaMethod &method)
{
    const TEventProperty *property = EventProperty(event);
    if (!property)
        return;
    property->bind(form, method);
    RememberHandler(event, handlerName);
}

void TComponent::RememberHandler(const QString &event, const QString &handlerName)
{
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
