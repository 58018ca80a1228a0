#include "runtime/ShiftState.h"

#include <QMouseEvent>

TShiftState::TShiftState(std::initializer_list<TShiftFlag> flags)
{
    for (const TShiftFlag flag : flags)
        m_flags |= flag;
}

TShiftState TShiftState::Of(const QMouseEvent &event)
{
    const Qt::KeyboardModifiers keys = event.modifiers();
    const Qt::MouseButtons buttons = event.buttons();
    TShiftState state;
    const std::pair<bool, TShiftFlag> held[] = {
        {keys.testFlag(Qt::ShiftModifier), ssShift},
        {keys.testFlag(Qt::AltModifier), ssAlt},
        {keys.testFlag(Qt::ControlModifier), ssCtrl},
        {buttons.testFlag(Qt::LeftButton), ssLeft},
        {buttons.testFlag(Qt::RightButton), ssRight},
        {buttons.testFlag(Qt::MiddleButton), ssMiddle},
        {event.type() == QEvent::MouseButtonDblClick, ssDouble},
    };
    for (const auto &[on, flag] : held)
        if (on)
            state.m_flags |= flag;
    return state;
}
