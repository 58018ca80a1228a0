#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

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

// Delivers the message synchronously and returns the receiver's result (0 when it did not handle it).
qintptr SendWindowMessage(QObject *target, unsigned msg, quintptr wParam = 0, qintptr lParam = 0);
// Sends the message, both parameters 0, to every windowed control among the owner's components, in
// component order; nothing when the owner is not a form.
void BroadcastToWindowedControls(QObject *owner, unsigned msg);
