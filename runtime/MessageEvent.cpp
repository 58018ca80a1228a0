#include "runtime/MessageEvent.h"

TMessageEvent::TMessageEvent(unsigned msg, quintptr wParam, qintptr lParam)
    : QEvent(EventType()), m_msg(msg), m_wParam(wParam), m_lParam(lParam)
{}

QEvent::Type TMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
