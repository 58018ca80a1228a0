#pragma once

#include "skin/TimerLst.h"

template <> struct TTestPeer<TTimerEvent>
{
    static int FireCount(const TTimerEvent &event) { return event.m_fireCount; }
    static int EventHandle(const TTimerEvent &event) { return event.m_eventHandle; }
    static void SetParentList(TTimerEvent &event, TTimerList *list) { event.SetParentList(list); }
};

template <> struct TTestPeer<TTimerList>
{
    static const QList<TTimerEvent *> &Events(const TTimerList &list) { return list.m_events; }
    static int Period(const TTimerList &list) { return list.m_period; }
    static bool HasTimerWindow(const TTimerList &list) { return list.m_timerWindow != nullptr; }
    static int AddEvent(TTimerList &list, TNotifyEvent handler, int interval, bool cycled)
    {
        return list.AddEvent(std::move(handler), interval, cycled);
    }
    static void DeleteEvent(TTimerList &list, int handle) { list.DeleteEvent(handle); }
};
