#pragma once

#include <functional>

#include <QList>
#include <QPointer>

#include "runtime/WinControl.h"
#include "skin/TabSheet.h"

class QPainter;

using TChangingEvent = std::function<void(QObject *Sender, bool &AllowChange)>;
using TDrawBkgndEvent = std::function<void(QObject *Sender, QPainter &Canvas, const QRect &Rect)>;

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

    explicit TExtPageControl(QWidget *parent = nullptr);

    TTabSheet *ActivePage() const { return m_activePage; }
    // A page change can be vetoed by OnChanging; a disabled page is refused.
    void SetActivePage(TTabSheet *page);
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition position);
    // Button-style tabs stand at the top.
    TTabStyle TabStyle() const { return m_tabStyle; }
    void SetTabStyle(TTabStyle style);
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
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order) { m_tabOrder = order; }

    // In creation order, which raising a page does not change.
    QList<TTabSheet *> Pages() const { return m_pages; }
    void InsertPage(TTabSheet *page);
    void RemovePage(TTabSheet *page);
    // Counts visible tabs only; -1 for a page whose tab is hidden.
    int TabIndex(const TTabSheet *page) const;
    // Throws EExtPageInvalidCall when no page has that tab index.
    int PageIndexByTabIndex(int tabIndex) const;
    // Where the pages stand: the client area less the tab row, moved down two pixels.
    QRect DisplayRect() const;
    // The tabs as drawn, by tab index.
    QList<QRect> TabRects() const;
    // Skipped while the control is hidden unless forced.
    void LayoutPages(bool force = false);

    // Paints are held back while an update is in progress; ending the last one repaints.
    void BeginUpdate();
    void EndUpdate();

    void Loaded() override;

    TNotifyEvent OnChange;
    TChangingEvent OnChanging;
    TDrawBkgndEvent OnDrawBkgndInside;
    TDrawBkgndEvent OnDrawBkgndOutside;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void MakeCurrent(TTabSheet *page);
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
    int m_tabOrder = 0;
    int m_updateCount = 0;
};
