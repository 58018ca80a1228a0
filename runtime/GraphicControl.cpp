#include "runtime/GraphicControl.h"

TGraphicControl::TGraphicControl(QWidget *parent) : TControl(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
}
