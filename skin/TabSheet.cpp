#include "skin/TabSheet.h"

#include "skin/ExtPage.h"

TTabSheet::TTabSheet(QWidget *parent) : TWinControl(parent), m_control(PageControl())
{
    if (m_control)
        m_control->InsertPage(this);
}

TTabSheet::~TTabSheet()
{
    if (m_control)
        m_control->RemovePage(this);
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
