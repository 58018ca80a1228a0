#pragma once

#include "runtime/Persistent.h"

// The caption effects of a button; of them only the disabled look is drawn.
class TFontFx : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFontFx)
    Q_PROPERTY(TDisabledStyle DisabledStyle READ DisabledStyle WRITE SetDisabledStyle)

public:
    // dsAuto embosses a disabled caption in the highlight and shadow colours; dsNone leaves it as it is.
    enum TDisabledStyle
    {
        dsAuto,
        dsNone,
    };
    Q_ENUM(TDisabledStyle)

    explicit TFontFx(QObject *parent = nullptr);

    TDisabledStyle DisabledStyle() const { return m_disabledStyle; }
    void SetDisabledStyle(TDisabledStyle style);

private:
    TDisabledStyle m_disabledStyle = dsAuto;
};
