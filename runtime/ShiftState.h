#pragma once

#include <cstdint>
#include <initializer_list>

#include <QMetaType>

class QMouseEvent;

// The keys and mouse buttons held during a mouse event, as its handlers receive them; a double click
// also carries ssDouble. A button that the event itself releases is no longer held.
class TShiftState
{
public:
    enum TShiftFlag : uint8_t
    {
        ssShift = 0x01,
        ssAlt = 0x02,
        ssCtrl = 0x04,
        ssLeft = 0x08,
        ssRight = 0x10,
        ssMiddle = 0x20,
        ssDouble = 0x40,
    };

    TShiftState() = default;
    TShiftState(std::initializer_list<TShiftFlag> flags);
    static TShiftState Of(const QMouseEvent &event);

    bool Contains(TShiftFlag flag) const { return (m_flags & flag) != 0; }
    bool operator==(const TShiftState &other) const = default;

private:
    uint8_t m_flags = 0;
};

Q_DECLARE_METATYPE(TShiftState)
