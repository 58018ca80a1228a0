#include "runtime/WinControl.h"

#include "runtime/MessageEvent.h"

TWinControl::TWinControl(QWidget *parent, Qt::WindowFlags flags) : TControl(parent, flags)
{
    SetFillsBackground(true);
}

bool TWinControl::IsWindowed(const QObject *object)
{
    return qobject_cast<const TWinControl *>(object) != nullptr;
}

void TWinControl::WindowMessage(TMessageEvent &)
{}

bool TWinControl::event(QEvent *event)
{
    if (event->type() == TMessageEvent::EventType()) {
        WindowMessage(static_cast<TMessageEvent &>(*event));
        return true;
    }
    return TControl::event(event);
}
