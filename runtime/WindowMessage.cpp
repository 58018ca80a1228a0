#include "runtime/WindowMessage.h"

#include <QCoreApplication>

#include "runtime/Form.h"
#include "runtime/MessageEvent.h"
#include "runtime/WinControl.h"

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
