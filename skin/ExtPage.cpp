#include "skin/ExtPage.h"

#include <QApplication>
#include <QPainter>

#include "runtime/ErrorBox.h"
#include "skin/ExtPageInvalidCall.h"

TExtPageControl::TExtPageControl(QWidget *parent)
    : TWinControl(parent), m_tabActiveFont(new TFont(this)), m_tabInactiveFont(new TFont(this))
{
    PublishEvent(QStringLiteral("OnChange"), OnChange);
    m_tabActiveFont->SetChangeHandler([this] { TabGeometryChanged(); });
    m_tabInactiveFont->SetChangeHandler([this] { TabGeometryChanged(); });
    // The background is painted whole, so nothing is erased first.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TExtPageControl::SetActivePage(TTabSheet *page)
{
    if (page == m_activePage || (page && page->PageControl() != this))
        return;
    if (page && !page->isEnabled() && !Designing())
        return;
    if (Loading()) {
        m_activePage = page;
        return;
    }
    bool allow = true;
    if (OnChanging)
        Guarded([&] { OnChanging(this, allow); });
    if (!allow)
        return;
    MakeCurrent(page);
    LayoutPages();
    CallHandler(OnChange, this);
}

void TExtPageControl::SetTabPosition(TTabPosition position)
{
    if (m_tabStyle == tabStButton)
        position = tabPosTop;
    if (m_tabPosition == position)
        return;
    m_tabPosition = position;
    TabGeometryChanged();
}

void TExtPageControl::SetTabStyle(TTabStyle style)
{
    if (m_tabStyle == style)
        return;
    m_tabStyle = style;
    if (style == tabStButton)
        m_tabPosition = tabPosTop;
    TabGeometryChanged();
}

void TExtPageControl::SetTabHeight(int height)
{
    if (m_tabHeight == height)
        return;
    m_tabHeight = height;
    TabGeometryChanged();
}

void TExtPageControl::SetTabWidth(int width)
{
    if (m_tabWidth == width)
        return;
    m_tabWidth = width;
    TabGeometryChanged();
}

void TExtPageControl::SetTabWordWrap(bool wrap)
{
    if (m_tabWordWrap == wrap)
        return;
    m_tabWordWrap = wrap;
    TabGeometryChanged();
}

void TExtPageControl::SetTabActiveColor(TColor color)
{
    if (m_tabActiveColor == color)
        return;
    m_tabActiveColor = color;
    Invalidate();
}

void TExtPageControl::SetTabInactiveColor(TColor color)
{
    if (m_tabInactiveColor == color)
        return;
    m_tabInactiveColor = color;
    Invalidate();
}

void TExtPageControl::InsertPage(TTabSheet *page)
{
    m_pages.append(page);
    page->setGeometry(DisplayRect());
    page->setVisible(page == m_activePage);
}

void TExtPageControl::RemovePage(TTabSheet *page)
{
    m_pages.removeAll(page);
}

int TExtPageControl::TabIndex(const TTabSheet *page) const
{
    int tab = 0;
    for (const TTabSheet *each : Pages()) {
        if (each == page)
            return each->TabVisible() ? tab : -1;
        tab += each->TabVisible();
    }
    return -1;
}

int TExtPageControl::PageIndexByTabIndex(int tabIndex) const
{
    const QList<TTabSheet *> pages = Pages();
    for (int i = std::max(tabIndex, 0); i < pages.size(); ++i)
        if (TabIndex(pages[i]) == tabIndex)
            return i;
    throw EExtPageInvalidCall(QStringLiteral("Function GetPageIndexByTabIndex of component %1 of class %2 was "
                                             "called with an invalid parameter (CurrentTabIndex = %3).")
                                  .arg(objectName(), QLatin1String(metaObject()->className()))
                                  .arg(tabIndex));
}

QRect TExtPageControl::DisplayRect() const
{
    QRect r = rect();
    if (!TabRects().isEmpty()) {
        const int row = RowHeight();
        switch (m_tabPosition) {
        case tabPosTop:
            r.setTop(row);
            break;
        case tabPosBottom:
            r.setBottom(r.bottom() - row);
            break;
        case tabPosLeft:
            r.setLeft(row);
            break;
        case tabPosRight:
            r.setRight(r.right() - row);
            break;
        }
    }
    // Button-style tabs have no frame round the page area.
    if (m_tabStyle != tabStButton)
        r.adjust(2, 2, -2, -2);
    return r.adjusted(0, 2, 0, 0);
}

QList<QRect> TExtPageControl::TabRects() const
{
    QList<QRect> rects;
    const QFontMetrics metrics(RowFont().ToQFont());
    const bool vertical = m_tabPosition == tabPosLeft || m_tabPosition == tabPosRight;
    const int row = RowHeight();
    int along = 0;
    for (const TTabSheet *page : Pages()) {
        if (!page->TabVisible())
            continue;
        const int length = m_tabWidth > 0 ? m_tabWidth : metrics.horizontalAdvance(page->Caption()) + 12;
        const int across = m_tabPosition == tabPosBottom ? height() - row
                           : m_tabPosition == tabPosRight ? width() - row
                                                           : 0;
        rects.append(vertical ? QRect(across, along, row, length) : QRect(along, across, length, row));
        along += length;
    }
    return rects;
}

void TExtPageControl::LayoutPages(bool force)
{
    if (!isVisible() && !force)
        return;
    const QRect display = DisplayRect();
    for (TTabSheet *page : Pages())
        page->setGeometry(display);
    Invalidate();
}

void TExtPageControl::BeginUpdate()
{
    if (m_updateCount++ == 0)
        setUpdatesEnabled(false);
}

void TExtPageControl::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0)
        return;
    setUpdatesEnabled(true);
    repaint();
}

void TExtPageControl::Loaded()
{
    TWinControl::Loaded();
    for (TTabSheet *page : Pages())
        page->setVisible(page == m_activePage);
    LayoutPages(true);
}

void TExtPageControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setBrushOrigin(x() % 8, y() % 8);
    QRect inside = DisplayRect().adjusted(0, -2, 0, 0);
    switch (m_tabPosition) {
    case tabPosTop:
        inside.setTop(inside.top() + 2);
        break;
    case tabPosBottom:
        inside.setBottom(inside.bottom() - 2);
        break;
    case tabPosLeft:
        inside.setLeft(inside.left() + 2);
        break;
    case tabPosRight:
        inside.setRight(inside.right() - 2);
        break;
    }
    inside.adjust(-4, -4, 4, 4);
    inside &= rect();
    painter.fillRect(inside, Color().ToQColor());
    if (OnDrawBkgndInside)
        Guarded([&] { OnDrawBkgndInside(this, painter, inside); });
    QRegion outside = QRegion(rect()) - inside;
    const QList<QRect> tabs = TabRects();
    const QList<TTabSheet *> pages = Pages();
    for (int tab = 0; tab < tabs.size(); ++tab) {
        const TTabSheet *page = pages[PageIndexByTabIndex(tab)];
        const bool active = page == m_activePage;
        painter.fillRect(tabs[tab], (active ? m_tabActiveColor : m_tabInactiveColor).ToQColor());
        const TFont &font = active ? *m_tabActiveFont : *m_tabInactiveFont;
        painter.setFont(font.ToQFont());
        painter.setPen((page->isEnabled() ? font.Color() : clGrayText).ToQColor());
        painter.drawText(tabs[tab], Qt::AlignCenter | Qt::TextShowMnemonic
                                         | (m_tabWordWrap ? Qt::TextWordWrap : Qt::TextSingleLine),
                         page->Caption());
        outside -= tabs[tab];
    }
    const auto *parent = qobject_cast<const TControl *>(parentWidget());
    painter.setClipRegion(outside);
    const QRect outsideBounds = outside.boundingRect();
    painter.fillRect(outsideBounds, (parent ? parent->Color() : Color()).ToQColor());
    if (OnDrawBkgndOutside)
        Guarded([&] { OnDrawBkgndOutside(this, painter, outsideBounds); });
}

void TExtPageControl::resizeEvent(QResizeEvent *event)
{
    TWinControl::resizeEvent(event);
    LayoutPages(true);
}

// The focus moves with the page: off the old page before it hides, onto the new one when it had it.
void TExtPageControl::MakeCurrent(TTabSheet *page)
{
    TTabSheet *old = m_activePage;
    const bool focusInOld = old && old->isAncestorOf(QApplication::focusWidget());
    if (focusInOld) {
        old->setFocus();
        if (!old->hasFocus() && old->focusPolicy() != Qt::NoFocus)
            return;
    }
    if (page) {
        page->raise();
        page->show();
    }
    if (focusInOld) {
        if (page && page->focusPolicy() != Qt::NoFocus)
            page->setFocus();
        else
            setFocus();
    }
    if (old)
        old->hide();
    m_activePage = page;
    if (page && page->hasFocus())
        if (QWidget *first = page->nextInFocusChain(); page->isAncestorOf(first))
            first->setFocus(Qt::TabFocusReason);
}

const TFont &TExtPageControl::RowFont() const
{
    const QFontMetrics active(m_tabActiveFont->ToQFont());
    const QFontMetrics inactive(m_tabInactiveFont->ToQFont());
    return inactive.horizontalAdvance(QLatin1Char('W')) > active.horizontalAdvance(QLatin1Char('W'))
               ? *m_tabInactiveFont
               : *m_tabActiveFont;
}

int TExtPageControl::RowHeight() const
{
    return m_tabHeight > 0 ? m_tabHeight : QFontMetrics(RowFont().ToQFont()).height() + 6;
}

void TExtPageControl::TabGeometryChanged()
{
    LayoutPages();
    Invalidate();
}
