#pragma once

#include <functional>
#include <type_traits>

#include "runtime/Component.h"

class QObject;

// The standard error box for every event source: an error that escapes a handler is shown to the user
// and the program goes on. Nothing is allowed to unwind through the toolkit's event loop.

// Runs the action; an `Exception` shows its message, another std::exception its what(), anything else
// a fixed text.
void Guarded(const std::function<void()> &action);
// Calls the handler, when assigned, through Guarded.
void CallHandler(const TNotifyEvent &handler, QObject *sender);
// The same for an event that passes more than its sender.
template <class... Args>
void CallHandler(const std::function<void(QObject *, Args...)> &handler, QObject *sender,
                 std::type_identity_t<Args>... args)
{
    if (handler)
        Guarded([&] { handler(sender, args...); });
}
