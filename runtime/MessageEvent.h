#pragma once

#include <QEvent>
#include <QtGlobal>

// A numbered window message with two parameters, delivered to windowed controls as a Qt event.
class TMessageEvent : public QEvent
{
public:
    TMessageEvent(unsigned msg, quintptr wParam, qintptr lParam);

    static QEvent::Type EventType();

    unsigned Msg() const { return m_msg; }
    quintptr WParam() const { return m_wParam; }
    qintptr LParam() const { return m_lParam; }
    qintptr Result() const { return m_result; }
    void SetResult(qintptr result) { m_result = result; }

private:
    unsigned m_msg;
    quintptr m_wParam;
    qintptr m_lParam;
    qintptr m_result = 0;
};
