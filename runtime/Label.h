#pragma once

#include "runtime/GraphicControl.h"

// A plain caption: its text in its font, left-aligned at the top, on whatever lies behind it.
class TLabel : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLabel)

public:
    explicit TLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
