#pragma once

#include <QtGlobal>

class QObject;

// Delivers the message synchronously and returns the receiver's result (0 when it did not handle it).
qintptr SendWindowMessage(QObject *target, unsigned msg, quintptr wParam = 0, qintptr lParam = 0);
// Sends the message, both parameters 0, to every windowed control among the owner's components (its
// direct children; a control inside another is that one's business), in component order; nothing when the
// owner is not a form.
void BroadcastToWindowedControls(QObject *owner, unsigned msg);
