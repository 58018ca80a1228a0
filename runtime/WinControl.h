#pragma once

#include "runtime/Control.h"

class TMessageEvent;

// A windowed control: it fills its background with its colour and receives window messages.
class TWinControl : public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TWinControl)

public:
    explicit TWinControl(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Whether an object receives window messages, so that senders can pick the windowed controls.
    static bool IsWindowed(const QObject *object);

protected:
    // A window message sent to this control; the base ignores it.
    virtual void WindowMessage(TMessageEvent &message);

    bool event(QEvent *event) override;
};
