#include "skin/ExplorerButton.h"

#include <QMouseEvent>
#include <QPainter>

TExplorerButton::TExplorerButton(QWidget *parent) : TGraphicControl(parent) {}

void TExplorerButton::SetDropDownMenu(TPopupMenu *menu)
{
    m_dropDownMenu = menu;
}

void TExplorerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(Font()->ToQFont());
    painter.setPen(Font()->Color().ToQColor());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, Caption());
}

void TExplorerButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dropDownMenu) {
        m_dropDownMenu->Popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    TGraphicControl::mousePressEvent(event);
}
