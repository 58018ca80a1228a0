#pragma once

#include "runtime/Control.h"

// A windowless control: it paints nothing of its own background, so the parent's pixels show through
// wherever a subclass leaves them untouched. It receives no window messages.
class TGraphicControl : public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TGraphicControl)

public:
    explicit TGraphicControl(QWidget *parent = nullptr);
};
