#include "skin/ExtPage.h"

#include <algorithm>

#include <QApplication>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "runtime/ErrorBox.h"
#include "runtime/Numeric.h"
#include "skin/ButtonLayout.h"
#include "skin/ExtPageInvalidCall.h"

TExtPageControl::TExtPageControl(QWidget *parent)
    : TWinControl(parent), m_tabActiveFont(new TFont(this)), m_tabInactiveFont(new TFont(this)),
      m_tabGlyphs(new TExtGlyphs(this)), m_hottrack(new TExtHottrack(this))
{
    PublishEvent(QStringLiteral("OnChange"), OnChange);
    PublishEvent(QStringLiteral("OnChanging"), OnChanging);
    PublishEvent(QStringLiteral("OnDrawBkgndInside"), OnDrawBkgndInside);
    PublishEvent(QStringLiteral("OnDrawBkgndOutside"), OnDrawBkgndOutside);
    PublishEvent(QStringLiteral("OnDrawTab"), OnDrawTab);
    m_tabActiveFont->SetChangeHandler([this] { TabGeometryChanged(); });
    m_tabInactiveFont->SetChangeHandler([this] { TabGeometryChanged(); });
    m_tabGlyphs->SetChangeHandler([this] { TabGeometryChanged(); });
    m_hottrack->SetChangeHandler([this] {
        m_hotTab = -1;
        Invalidate();
    });
    setMouseTracking(true);
    // The background is painted whole, so nothing is erased first.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TExtPageControl::SetActivePage(TTabSheet *page)
{
    if (page == m_activePage || (page && page->PageControl() != this))
        return;
    if (page && !page->Enabled() && !Designing())
        return;
    if (Loading()) {
        m_activePage = page;
        return;
    }
    bool allow = true;
    if (OnChanging)
        Guarded([&] { OnChanging(this, &allow); });
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
    height = std::clamp(height, 0, kMaxTabSize);
    if (m_tabHeight == height)
        return;
    m_tabHeight = height;
    TabGeometryChanged();
}

void TExtPageControl::SetTabWidth(int width)
{
    width = std::clamp(width, 0, kMaxTabSize);
    if (m_tabWidth == width)
        return;
    m_tabWidth = width;
    TabGeometryChanged();
}

void TExtPageControl::SetTabWordWrap(bool wrap)
{
    if (Change(m_tabWordWrap, wrap))
        TabGeometryChanged();
}

void TExtPageControl::SetTabActiveColor(TColor color)
{
    if (Change(m_tabActiveColor, color))
        Invalidate();
}

void TExtPageControl::SetTabInactiveColor(TColor color)
{
    if (Change(m_tabInactiveColor, color))
        Invalidate();
}

void TExtPageControl::InsertPage(TTabSheet *page)
{
    m_pages.append(page);
    // A stored layout's pages are laid out once it has loaded, when their tabs are known.
    if (!Loading())
        page->setGeometry(DisplayRect());
    page->setVisible(page == m_activePage);
    GrabTabMnemonics();
}

void TExtPageControl::RemovePage(TTabSheet *page)
{
    m_pages.removeAll(page);
    GrabTabMnemonics();
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
    // A hidden tab's -1 names no tab.
    for (int i = tabIndex; tabIndex >= 0 && i < pages.size(); ++i)
        if (TabIndex(pages[i]) == tabIndex)
            return i;
    throw EExtPageInvalidCall(
        QStringLiteral("Function GetPageIndexByTabIndex of component %1 of class %2 was "
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
    // Without a tab to show there is no row to measure, and no font to load for it.
    if (std::none_of(m_pages.cbegin(), m_pages.cend(),
                     [](const TTabSheet *page) { return page->TabVisible(); }))
        return {};
    QList<QRect> rects;
    const QFontMetrics metrics(RowFont().ToQFont());
    const bool vertical = m_tabPosition == tabPosLeft || m_tabPosition == tabPosRight;
    const bool imageLeft = m_tabGlyphs->Position() == TExtGlyphs::glPosLeft;
    const QSize image = m_tabGlyphs->ImageSize();
    const int row = RowHeight();
    const int across = m_tabPosition == tabPosBottom  ? height() - row
                       : m_tabPosition == tabPosRight ? width() - row
                                                      : 0;
    int along = 0;
    for (int index = 0; index < m_pages.size(); ++index) {
        const TTabSheet *page = m_pages[index];
        if (!page->TabVisible())
            continue;
        int length = m_tabWidth;
        if (length == 0) {
            const int text = metrics.horizontalAdvance(page->Caption());
            if (!m_tabGlyphs->HasImage(index))
                length = text;
            else
                length =
                    imageLeft ? image.width() + m_tabGlyphs->Spacing() + text : std::max(image.width(), text);
            length = std::min(length + 12, kMaxTabSize);
        }
        rects.append(vertical ? QRect(across, along, row, length) : QRect(along, across, length, row));
        along += length;
    }
    return rects;
}

int TExtPageControl::TabAt(const QPoint &point) const
{
    const QList<QRect> tabs = TabRects();
    for (int tab = 0; tab < tabs.size(); ++tab)
        if (tabs[tab].contains(point))
            return tab;
    return -1;
}

void TExtPageControl::ChangeScale(int multiplier, int divider)
{
    if (multiplier <= 0 || divider <= 0 || multiplier == divider)
        return;
    BeginUpdate();
    for (TFont *font : {m_tabActiveFont, m_tabInactiveFont})
        font->SetHeight(MulDiv(font->Height(), multiplier, divider));
    SetTabHeight(MulDiv(m_tabHeight, multiplier, divider));
    SetTabWidth(MulDiv(m_tabWidth, multiplier, divider));
    EndUpdate();
}

void TExtPageControl::TabsChanged()
{
    GrabTabMnemonics();
    LayoutPages(true);
}

void TExtPageControl::LayoutPages(bool force)
{
    if (Loading() || (!isVisible() && !force))
        return;
    const QRect display = DisplayRect();
    for (TTabSheet *page : Pages())
        page->setGeometry(display);
    Invalidate();
}

void TExtPageControl::BeginUpdate()
{
    ++m_updateCount;
}

void TExtPageControl::EndUpdate()
{
    if (m_updateCount == 0 || --m_updateCount > 0)
        return;
    repaint();
}

void TExtPageControl::Loaded()
{
    TWinControl::Loaded();
    for (TTabSheet *page : Pages())
        page->setVisible(page == m_activePage);
    LayoutPages(true);
}

// While an update is in progress the area is only taken as painted: nothing is drawn, nothing erased.
void TExtPageControl::paintEvent(QPaintEvent *)
{
    if (m_updateCount > 0)
        return;
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
        Guarded([&] { OnDrawBkgndInside(this, &painter, inside); });
    QRegion outside = QRegion(rect()) - inside;
    const QList<QRect> tabs = TabRects();
    for (int tab = 0; tab < tabs.size(); ++tab) {
        DrawTab(painter, tab, tabs[tab], PageIndexByTabIndex(tab));
        outside -= tabs[tab];
    }
    const auto *parent = qobject_cast<const TControl *>(parentWidget());
    painter.setClipRegion(outside);
    const QRect outsideBounds = outside.boundingRect();
    painter.fillRect(outsideBounds, (parent ? parent->Color() : Color()).ToQColor());
    if (OnDrawBkgndOutside)
        Guarded([&] { OnDrawBkgndOutside(this, &painter, outsideBounds); });
}

void TExtPageControl::resizeEvent(QResizeEvent *event)
{
    TWinControl::resizeEvent(event);
    LayoutPages(true);
}

void TExtPageControl::mousePressEvent(QMouseEvent *event)
{
    TWinControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (TTabSheet *page = PageOfTab(TabAt(event->position().toPoint())))
        SetActivePage(page);
}

void TExtPageControl::mouseMoveEvent(QMouseEvent *event)
{
    TWinControl::mouseMoveEvent(event);
    SetHotTab(TabAt(event->position().toPoint()));
}

void TExtPageControl::leaveEvent(QEvent *event)
{
    TWinControl::leaveEvent(event);
    SetHotTab(-1);
}

bool TExtPageControl::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int tab = TabAt(help->pos());
        if (tab >= 0) {
            const QString hint = m_tabHints.value(tab);
            if (ShowHint() && !hint.isEmpty())
                QToolTip::showText(help->globalPos(), hint, this, TabRects().value(tab));
            else
                QToolTip::hideText();
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent *>(event)->shortcutId();
        for (const auto &[each, page] : std::as_const(m_mnemonics))
            if (each == id && page && page->TabVisible() && isVisible()) {
                SetActivePage(page);
                return true;
            }
    }
    return TWinControl::event(event);
}

// The focus moves with the page: off the old page before it hides, onto the new one when it had it. A page
// takes the focus itself, though the mouse and the Tab key pass it by.
void TExtPageControl::MakeCurrent(TTabSheet *page)
{
    TTabSheet *old = m_activePage;
    const bool focusInOld = old && old->isAncestorOf(QApplication::focusWidget());
    if (focusInOld) {
        old->setFocus();
        if (!old->hasFocus())
            return;
    }
    if (page) {
        page->raise();
        page->show();
    }
    if (focusInOld) {
        if (page && page->isEnabled())
            page->setFocus();
        else
            setFocus();
    }
    if (old)
        old->hide();
    m_activePage = page;
    if (page && page->hasFocus())
        if (QWidget *first = FirstTabStop(page))
            first->setFocus(Qt::TabFocusReason);
}

// The first control of the page that the Tab key would reach, or null.
QWidget *TExtPageControl::FirstTabStop(QWidget *page)
{
    for (QWidget *each = page->nextInFocusChain(); each != page; each = each->nextInFocusChain())
        if (page->isAncestorOf(each) && (each->focusPolicy() & Qt::TabFocus) && each->isEnabled() &&
            each->isVisibleTo(page))
            return each;
    return nullptr;
}

void TExtPageControl::DrawTab(QPainter &painter, int tab, const QRect &rect, int index)
{
    const TTabSheet &page = *m_pages[index];
    const bool active = &page == m_activePage;
    if (OnDrawTab) {
        Guarded([&] { OnDrawTab(this, &painter, tab, rect, active); });
        return;
    }
    painter.fillRect(rect, (active ? m_tabActiveColor : m_tabInactiveColor).ToQColor());
    const TFont &font = active ? *m_tabActiveFont : *m_tabInactiveFont;
    TColor color = font.Color();
    if (!page.isEnabled())
        color = clGrayText;
    else if (m_hottrack->Enabled() && tab == m_hotTab)
        color = active ? m_hottrack->TabActiveColor() : m_hottrack->TabInactiveColor();
    painter.setFont(font.ToQFont());
    const int flags = Qt::TextShowMnemonic | (m_tabWordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    QRect text = rect;
    int align = Qt::AlignCenter;
    if (m_tabGlyphs->HasImage(index)) {
        // Image and caption are centred in the tab as one box, as a button places its glyph and caption.
        const TButtonLayout::TPlaced placed =
            TButtonLayout::Place(rect, m_tabGlyphs->ImageSize(),
                                 painter.fontMetrics().size(flags, page.Caption()), m_tabGlyphs->Spacing(),
                                 m_tabGlyphs->Position() == TExtGlyphs::glPosLeft ? TButtonLayout::taRight
                                                                                  : TButtonLayout::taBottom,
                                 TButtonLayout::agCenter);
        m_tabGlyphs->Draw(painter, placed.glyph.topLeft(), index);
        text.setTopLeft(placed.text.topLeft());
        align = Qt::AlignLeft | Qt::AlignTop;
    }
    painter.setPen(color.ToQColor());
    painter.drawText(text, align | flags, page.Caption());
}

void TExtPageControl::SetHotTab(int tab)
{
    if (!m_hottrack->Enabled())
        tab = -1;
    if (m_hotTab == tab)
        return;
    m_hotTab = tab;
    Invalidate();
}

// Each visible tab's accelerator selects its page, as a dialog character does.
void TExtPageControl::GrabTabMnemonics()
{
    for (const auto &[id, page] : std::as_const(m_mnemonics))
        releaseShortcut(id);
    m_mnemonics.clear();
    for (TTabSheet *page : std::as_const(m_pages)) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(page->Caption());
        if (page->TabVisible() && !mnemonic.isEmpty())
            m_mnemonics.append({grabShortcut(mnemonic), page});
    }
}

TTabSheet *TExtPageControl::PageOfTab(int tab) const
{
    return tab < 0 ? nullptr : m_pages.value(PageIndexByTabIndex(tab));
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
    if (m_tabHeight > 0)
        return m_tabHeight;
    const int text = QFontMetrics(RowFont().ToQFont()).height();
    const QSize image = m_tabGlyphs->ImageSize();
    if (image.isEmpty())
        return text + 6;
    if (m_tabGlyphs->Position() == TExtGlyphs::glPosLeft)
        return std::max(text, image.height()) + 6;
    return std::min(text + m_tabGlyphs->Spacing() + image.height(), kMaxTabSize) + 6;
}

void TExtPageControl::TabGeometryChanged()
{
    LayoutPages();
    Invalidate();
}
