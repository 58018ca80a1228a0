#pragma once

#include "runtime/WinControl.h"

class TExtPageControl;

// A page of a page control; a page whose tab is hidden has no tab but can still be made current.
class TTabSheet : public TWinControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTabSheet)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE SetTabVisible)

public:
    // A page made on a page control joins it.
    explicit TTabSheet(QWidget *parent = nullptr);
    ~TTabSheet() override;

    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);
    TExtPageControl *PageControl() const;

private:
    bool m_tabVisible = true;
};
