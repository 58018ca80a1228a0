#pragma once

#include <utility>

#include <QString>
#include <QWidget>

#include "runtime/Color.h"
#include "runtime/Component.h"
#include "runtime/Font.h"
#include "runtime/ShiftState.h"

// The base of every control and form: a widget whose Qt parent contains and owns it, with the stored
// properties every control shares. Font and colour follow the parent control while ParentFont /
// ParentColor are on. Every change that alters the look ends in Invalidate(), the one place a control
// that paints from a cached image overrides.
class TControl : public QWidget, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TControl)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TFont *Font READ Font)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)

public:
    enum TCursor
    {
        crDefault,
        crArrow,
        crHandPoint,
        crIBeam,
        crCross,
        crSizeAll,
    };
    Q_ENUM(TCursor)

    enum TMouseButton
    {
        mbLeft,
        mbRight,
        mbMiddle,
    };
    Q_ENUM(TMouseButton)

    // How a control or a title places its text across its width.
    enum TAlignment
    {
        taLeftJustify,
        taRightJustify,
        taCenter,
    };
    Q_ENUM(TAlignment)

    // A form's handlers: `Name(QObject *Sender, TControl::TMouseButton Button, TShiftState Shift, int X,
    // int Y)` and `Name(QObject *Sender, TShiftState Shift, int X, int Y)`; X and Y are the control's own.
    using TMouseEvent = std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;

    // A form passes Qt::Window; a control lies inside its parent and shows with it.
    explicit TControl(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    int Left() const { return x(); }
    void SetLeft(int left);
    int Top() const { return y(); }
    void SetTop(int top);
    virtual int Width() const { return width(); }
    virtual void SetWidth(int width);
    virtual int Height() const { return height(); }
    virtual void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    TFont *Font() const { return m_font; }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool showHint);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // The control's own setting; a disabled parent does not change it.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);

    // Colour and font that follow the parent are the parent's to store.
    bool StoresProperty(const char *name) const override;

    // Keeps Visible in step with whatever shows or hides the widget.
    void setVisible(bool visible) override;

    // Whether a point of the control's own lies on it. The client rectangle holds x < width and y < height;
    // `closed` adds the points on those edges where a control's pointer rule counts them as inside.
    bool Hit(const QPoint &point, Qt::Edges closed = {}) const;
    // Whether the pointer's screen position lies on the control now; `uncovered` also asks that the
    // control is what the pointer would reach there, with no other window or control on top.
    bool PointerOver(bool uncovered = false) const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // A setter's compare and store of a property of the control's own; true when the value changed, for
    // the setter to act on. Stored sub-objects store through TPersistent::Store.
    template <class T> bool Change(T &field, T value)
    {
        if (field == value)
            return false;
        field = std::move(value);
        return true;
    }
    // The pointer-inside flag: on while the control has raised MouseEnter without a matching MouseLeave.
    bool PointerInside() const { return m_pointerInside; }
    // Turns the flag to `inside`, raising MouseEnter or MouseLeave when it changes; true when it did.
    bool SetPointerInside(bool inside);
    // Schedules a repaint; a control that paints from a cached image drops the cache here first.
    virtual void Invalidate();
    // Hooks for controls that redraw or re-lay out; the base invalidates.
    virtual void CaptionChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    // A control that fills its background fills it in its colour; the others paint from Color() alone.
    void SetFillsBackground(bool fills);
    // The events as the control raises them; overrides call the base to reach the handlers.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Raises the mouse events after the control's own handling of the Qt event, whichever subclass
    // overrides that handling.
    bool MouseEvent(QMouseEvent *event);
    void OwnFontChanged();
    void FollowParentFont();
    void FollowParentColor();
    void PassFontToChildren();
    void PassColorToChildren();
    void ApplyColor();
    void UpdateBackground();
    void UpdateToolTip();

    QString m_caption;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
    TFont *m_font;
    bool m_parentFont = true;
    bool m_followingParent = false;
    QString m_hint;
    bool m_showHint = false;
    bool m_visible;
    TCursor m_cursor = crDefault;
    bool m_pressed = false;
    bool m_pointerInside = false;
};
