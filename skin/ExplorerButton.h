#pragma once

#include <QPointer>

#include "runtime/GraphicControl.h"
#include "runtime/PopupMenu.h"

// A flat button of the skinned window that shows its caption over the skin and drops down a popup menu
// when pressed with the left button.
class TExplorerButton : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExplorerButton)
    Q_PROPERTY(TPopupMenu *DropDownMenu READ DropDownMenu WRITE SetDropDownMenu)

public:
    explicit TExplorerButton(QWidget *parent = nullptr);

    TPopupMenu *DropDownMenu() const { return m_dropDownMenu; }
    void SetDropDownMenu(TPopupMenu *menu);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPointer<TPopupMenu> m_dropDownMenu;
};
