#include "runtime/Label.h"

#include <QPainter>

TLabel::TLabel(QWidget *parent) : TGraphicControl(parent)
{}

void TLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(Font()->ToQFont());
    painter.setPen(Font()->Color().ToQColor());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption());
}
