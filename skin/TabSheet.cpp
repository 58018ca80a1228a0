#include "skin/TabSheet.h"

#include "skin/ExtPage.h"

TTabSheet::TTabSheet(QWidget *parent) : TWinControl(parent)
{
    if (TExtPageControl *control = PageControl())
        control->InsertPage(this);
}

// A page control that is itself going no longer casts as one, so its pages leave no list behind.
TTabSheet::~TTabSheet()
{
    if (TExtPageControl *control = PageControl())
        control->RemovePage(this);
}

void TTabSheet::SetTabVisible(bool visible)
{
    if (m_tabVisible == visible)
        return;
    m_tabVisible = visible;
    if (TExtPageControl *control = PageControl())
        control->LayoutPages(true);
}

TExtPageControl *TTabSheet::PageControl() const
{
    return qobject_cast<TExtPageControl *>(parentWidget());
}
