#pragma once

#include <functional>
#include <utility>

#include <QList>
#include <QStringList>
#include <QPointer>

#include "runtime/TestPeer.h"
#include "runtime/WinControl.h"
#include "skin/ExtGlyphs.h"
#include "skin/ExtHottrack.h"
#include "skin/TabSheet.h"

class QPainter;

// Pointers and values rather than references, so that a stored layout can bind them to a form's handlers.
// Clearing *AllowChange vetoes the change.
using TChangingEvent = std::function<void(QObject *Sender, bool *AllowChange)>;
using TDrawBkgndEvent = std::function<void(QObject *Sender, QPainter *Canvas, QRect Rect)>;
// Draws a tab in place of the control: its tab index, its rectangle and whether its page is current.
using TDrawTabEvent =
    std::function<void(QObject *Sender, QPainter *Canvas, int TabIndex, QRect Rect, bool Active)>;

// A page control whose tabs can all be hidden: pages are switched through ActivePage, each page fills
// the display rectangle, and the area round the page is filled with the control's colour inside and the
// parent's colour outside.
class TExtPageControl : public TWinControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExtPageControl)
    Q_PROPERTY(TTabSheet *ActivePage READ ActivePage WRITE SetActivePage)
    Q_PROPERTY(TTabPosition TabPosition READ TabPosition WRITE SetTabPosition)
    Q_PROPERTY(TTabStyle TabStyle READ TabStyle WRITE SetTabStyle)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE SetTabHeight)
    Q_PROPERTY(int TabWidth READ TabWidth WRITE SetTabWidth)
    Q_PROPERTY(bool TabWordWrap READ TabWordWrap WRITE SetTabWordWrap)
    Q_PROPERTY(TColor TabActiveColor READ TabActiveColor WRITE SetTabActiveColor)
    Q_PROPERTY(TColor TabInactiveColor READ TabInactiveColor WRITE SetTabInactiveColor)
    Q_PROPERTY(TFont *TabActiveFont READ TabActiveFont)
    Q_PROPERTY(TFont *TabInactiveFont READ TabInactiveFont)
    Q_PROPERTY(QStringList TabHints READ TabHints WRITE SetTabHints)
    Q_PROPERTY(TExtGlyphs *TabGlyphs READ TabGlyphs)
    Q_PROPERTY(TExtHottrack *Hottrack READ Hottrack)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)

public:
    enum TTabPosition
    {
        tabPosTop,
        tabPosLeft,
        tabPosRight,
        tabPosBottom,
    };
    Q_ENUM(TTabPosition)
    enum TTabStyle
    {
        tabStDefault,
        tabStButton,
    };
    Q_ENUM(TTabStyle)

    // Tab heights and widths are cut to this, so that no row of tabs overflows on its way.
    static constexpr int kMaxTabSize = 16384;

    explicit TExtPageControl(QWidget *parent = nullptr);

    TTabSheet *ActivePage() const { return m_activePage; }
    // A page change can be vetoed by OnChanging; a page disabled itself is refused, whatever its parent.
    void SetActivePage(TTabSheet *page);
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition position);
    // Button-style tabs stand at the top.
    TTabStyle TabStyle() const { return m_tabStyle; }
    void SetTabStyle(TTabStyle style);
    // 0 is the default size; negative sizes are taken as 0.
    int TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int height);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int width);
    bool TabWordWrap() const { return m_tabWordWrap; }
    void SetTabWordWrap(bool wrap);
    TColor TabActiveColor() const { return m_tabActiveColor; }
    void SetTabActiveColor(TColor color);
    TColor TabInactiveColor() const { return m_tabInactiveColor; }
    void SetTabInactiveColor(TColor color);
    TFont *TabActiveFont() const { return m_tabActiveFont; }
    TFont *TabInactiveFont() const { return m_tabInactiveFont; }
    // One hint per tab index, shown over the tab while ShowHint is on.
    QStringList TabHints() const { return m_tabHints; }
    void SetTabHints(const QStringList &hints) { m_tabHints = hints; }
    TExtGlyphs *TabGlyphs() const { return m_tabGlyphs; }
    TExtHottrack *Hottrack() const { return m_hottrack; }
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order) { m_tabOrder = order; }

    // In creation order, which raising a page does not change.
    QList<TTabSheet *> Pages() const { return m_pages; }
    void InsertPage(TTabSheet *page);
    void RemovePage(TTabSheet *page);
    // Counts visible tabs only; -1 for a page whose tab is hidden.
    int TabIndex(const TTabSheet *page) const;
    // Throws EExtPageInvalidCall when no page has that tab index (and for -1, the index of a hidden tab).
    int PageIndexByTabIndex(int tabIndex) const;
    // Where the pages stand: the client area less the tab row, moved down two pixels.
    QRect DisplayRect() const;
    // Scales the tab sizes and both tab fonts' heights by multiplier / divider; a ratio that is not
    // positive is ignored.
    void ChangeScale(int multiplier, int divider);
    // Captions, tab visibility or pages changed: tabs, their accelerators and the page layout follow.
    void TabsChanged();
    // Skipped while the control is hidden unless forced.
    void LayoutPages(bool force = false);

    // The control's own paints are held back while an update is in progress (its pages still paint);
    // ending the last one repaints.
    void BeginUpdate();
    void EndUpdate();

    void Loaded() override;

    TNotifyEvent OnChange;
    TChangingEvent OnChanging;
    TDrawBkgndEvent OnDrawBkgndInside;
    TDrawBkgndEvent OnDrawBkgndOutside;
    TDrawTabEvent OnDrawTab;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    friend struct TTestPeer<TExtPageControl>;

    // The tabs as drawn, by tab index.
    QList<QRect> TabRects() const;
    // The tab index at a point of the control, -1 off the tabs.
    int TabAt(const QPoint &point) const;
    void MakeCurrent(TTabSheet *page);
    static QWidget *FirstTabStop(QWidget *page);
    // Tab `tab` of the page at `index`.
    void DrawTab(QPainter &painter, int tab, const QRect &rect, int index);
    void SetHotTab(int tab);
    void GrabTabMnemonics();
    TTabSheet *PageOfTab(int tab) const;
    const TFont &RowFont() const;
    int RowHeight() const;
    void TabGeometryChanged();

    QList<TTabSheet *> m_pages;
    QPointer<TTabSheet> m_activePage;
    TTabPosition m_tabPosition = tabPosTop;
    TTabStyle m_tabStyle = tabStDefault;
    int m_tabHeight = 0;
    int m_tabWidth = 0;
    bool m_tabWordWrap = false;
    TColor m_tabActiveColor = clBtnFace;
    TColor m_tabInactiveColor{0xA4A0A0};
    TFont *m_tabActiveFont;
    TFont *m_tabInactiveFont;
    QStringList m_tabHints;
    TExtGlyphs *m_tabGlyphs;
    TExtHottrack *m_hottrack;
    int m_tabOrder = 0;
    int m_updateCount = 0;
    // The tab under the pointer while hot tracking is on, else -1.
    int m_hotTab = -1;
    // The accelerator shortcut of each page's tab caption, by shortcut id.
    QList<std::pair<int, QPointer<TTabSheet>>> m_mnemonics;
};
