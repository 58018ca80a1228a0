#include "runtime/WindowMessage.h"

#include <QCoreApplication>

#include "runtime/Form.h"
#include "runtime/WinControl.h"

TMessageEvent::TMessageEvent(unsigned msg, quintptr wParam, qintptr lParam)
    : QEvent(EventType()), m_msg(msg), m_wParam(wParam), m_lParam(lParam)
{}

QEvent::Type TMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

qintptr SendWindowMessage(QObject *target, unsigned msg, quintptr wParam, qintptr lParam)
{
    if (!target)
        return 0;
    TMessageEvent event(msg, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.Result();
}

void BroadcastToWindowedControls(QObject *owner, unsigned msg)
{
    const auto *form = qobject_cast<const TForm *>(owner);
    if (!form)
        return;
    for (QObject *component : form->findChildren<QObject *>())
        if (TWinControl::IsWindowed(component))
            SendWindowMessage(component, msg);
}
