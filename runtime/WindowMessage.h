#pragma once

#include <QtGlobal>

class QObject;

// Delivers the message synchronously and returns the receiver's result (0 when it did not handle it).
qintptr SendWindowMessage(QObject *target, unsigned msg, quintptr wParam = 0, qintptr lParam = 0);
// Sends the message, both parameters 0, to every windowed control among the owner's components: the form
// owns every control on it, those on a page or inside another control too, and each container hears before
// what it holds. Nothing when the owner is not a form.
void BroadcastToWindowedControls(QObject *owner, unsigned msg);
