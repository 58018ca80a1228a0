#include "runtime/Control.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>

#include "runtime/ErrorBox.h"
#include "runtime/Font.h"

TControl::TControl(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_font(new TFont(this)), m_visible(!flags.testFlag(Qt::Window))
{
    PublishEvent(QStringLiteral("OnClick"), OnClick);
    PublishEvent(QStringLiteral("OnDblClick"), OnDblClick);
    PublishEvent(QStringLiteral("OnMouseDown"), OnMouseDown);
    PublishEvent(QStringLiteral("OnMouseMove"), OnMouseMove);
    PublishEvent(QStringLiteral("OnMouseUp"), OnMouseUp);
    PublishEvent(QStringLiteral("OnMouseEnter"), OnMouseEnter);
    PublishEvent(QStringLiteral("OnMouseLeave"), OnMouseLeave);
    // Moves are raised with no button held too.
    setMouseTracking(true);
    m_font->SetChangeHandler([this] { OwnFontChanged(); });
    FollowParentFont();
    setFont(m_font->ToQFont());
    FollowParentColor();
    ApplyColor();
    if (parent && !isWindow())
        show();
}

void TControl::SetLeft(int left)
{
    if (left != x())
        move(left, y());
}

void TControl::SetTop(int top)
{
    if (top != y())
        move(x(), top);
}

void TControl::SetWidth(int width)
{
    if (width != QWidget::width())
        resize(width, height());
}

void TControl::SetHeight(int height)
{
    if (height != QWidget::height())
        resize(width(), height);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const QRect bounds(left, top, width, height);
    if (bounds != geometry())
        setGeometry(bounds);
}

void TControl::SetCaption(const QString &caption)
{
    if (Change(m_caption, caption))
        CaptionChanged();
}

// A colour set is the control's own even when it equals the parent's, wherever the control was made.
void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    if (m_color == color)
        return;
    m_color = color;
    ApplyColor();
}

void TControl::SetParentColor(bool parentColor)
{
    if (Change(m_parentColor, parentColor))
        FollowParentColor();
}

void TControl::SetParentFont(bool parentFont)
{
    if (Change(m_parentFont, parentFont))
        FollowParentFont();
}

void TControl::SetHint(const QString &hint)
{
    if (Change(m_hint, hint))
        UpdateToolTip();
}

void TControl::SetShowHint(bool showHint)
{
    if (Change(m_showHint, showHint))
        UpdateToolTip();
}

void TControl::SetVisible(bool visible)
{
    if (m_visible != visible)
        setVisible(visible);
}

void TControl::setVisible(bool visible)
{
    m_visible = visible;
    QWidget::setVisible(visible);
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled != Enabled())
        setEnabled(enabled);
}

void TControl::SetCursor(TCursor cursor)
{
    if (m_cursor == cursor)
        return;
    m_cursor = cursor;
    switch (cursor) {
    case crDefault:
        unsetCursor();
        return;
    case crArrow:
        setCursor(Qt::ArrowCursor);
        return;
    case crHandPoint:
        setCursor(Qt::PointingHandCursor);
        return;
    case crIBeam:
        setCursor(Qt::IBeamCursor);
        return;
    case crCross:
        setCursor(Qt::CrossCursor);
        return;
    case crSizeAll:
        setCursor(Qt::SizeAllCursor);
        return;
    }
}

bool TControl::StoresProperty(const char *name) const
{
    if (qstrcmp(name, "Color") == 0)
        return !m_parentColor;
    if (qstrcmp(name, "Font") == 0)
        return !m_parentFont;
    return true;
}

void TControl::Invalidate()
{
    update();
}

void TControl::CaptionChanged()
{
    Invalidate();
}

void TControl::FontChanged()
{
    Invalidate();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::Click()
{
    CallHandler(OnClick, this);
}

void TControl::DblClick()
{
    CallHandler(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    CallHandler(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    CallHandler(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    CallHandler(OnMouseUp, this, button, shift, x, y);
}

bool TControl::Hit(const QPoint &point, Qt::Edges closed) const
{
    const int right = closed & Qt::RightEdge ? width() : width() - 1;
    const int bottom = closed & Qt::BottomEdge ? height() : height() - 1;
    return point.x() >= 0 && point.x() <= right && point.y() >= 0 && point.y() <= bottom;
}

bool TControl::PointerOver(bool uncovered) const
{
    const QPoint pointer = QCursor::pos();
    return Hit(mapFromGlobal(pointer)) && (!uncovered || QApplication::widgetAt(pointer) == this);
}

bool TControl::SetPointerInside(bool inside)
{
    if (!Change(m_pointerInside, inside))
        return false;
    if (inside)
        MouseEnter();
    else
        MouseLeave();
    return true;
}

void TControl::MouseEnter()
{
    CallHandler(OnMouseEnter, this);
}

void TControl::MouseLeave()
{
    CallHandler(OnMouseLeave, this);
}

void TControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

// A move is the control's own, not its parent's as well.
void TControl::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void TControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (Hit(event->position().toPoint()))
        Click();
}

void TControl::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    SetPointerInside(true);
}

void TControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    SetPointerInside(false);
}

void TControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        EnabledChanged();
}

void TControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Invalidate();
}

bool TControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        FollowParentFont();
        FollowParentColor();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        // A disabled control leaves the pointer to its parent.
        if (isEnabled())
            return MouseEvent(static_cast<QMouseEvent *>(event));
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TControl::MouseEvent(QMouseEvent *event)
{
    static const std::pair<Qt::MouseButton, TMouseButton> kButtons[] = {
        {Qt::LeftButton, mbLeft}, {Qt::RightButton, mbRight}, {Qt::MiddleButton, mbMiddle}};
    const QPointer<TControl> self(this);
    const bool handled = QWidget::event(event);
    const TShiftState shift = TShiftState::Of(*event);
    const QPoint at = event->position().toPoint();
    if (event->type() == QEvent::MouseMove) {
        if (self)
            MouseMove(shift, at.x(), at.y());
        return handled;
    }
    const auto button = std::find_if(std::begin(kButtons), std::end(kButtons),
                                     [event](const auto &pair) { return pair.first == event->button(); });
    if (event->type() == QEvent::MouseButtonDblClick && self)
        DblClick();
    if (!self || button == std::end(kButtons))
        return handled;
    if (event->type() == QEvent::MouseButtonRelease)
        MouseUp(button->second, shift, at.x(), at.y());
    else
        MouseDown(button->second, shift, at.x(), at.y());
    return handled;
}

// Any change that did not come from the parent is the control's own font, which the parent no longer
// overrides.
void TControl::OwnFontChanged()
{
    if (!m_followingParent)
        m_parentFont = false;
    setFont(m_font->ToQFont());
    FontChanged();
    PassFontToChildren();
}

void TControl::FollowParentFont()
{
    const auto *parent = qobject_cast<const TControl *>(parentWidget());
    if (!m_parentFont || !parent)
        return;
    m_followingParent = true;
    m_font->Assign(*parent->Font());
    m_followingParent = false;
}

void TControl::FollowParentColor()
{
    const auto *parent = qobject_cast<const TControl *>(parentWidget());
    if (!m_parentColor || !parent || m_color == parent->Color())
        return;
    m_color = parent->Color();
    ApplyColor();
}

void TControl::PassFontToChildren()
{
    for (TControl *child : findChildren<TControl *>(Qt::FindDirectChildrenOnly))
        child->FollowParentFont();
}

void TControl::PassColorToChildren()
{
    for (TControl *child : findChildren<TControl *>(Qt::FindDirectChildrenOnly))
        child->FollowParentColor();
}

void TControl::SetFillsBackground(bool fills)
{
    setAutoFillBackground(fills);
    UpdateBackground();
}

void TControl::ApplyColor()
{
    UpdateBackground();
    ColorChanged();
    PassColorToChildren();
}

// Only the background fill reads the palette, and setting one costs a control as much as the rest of its
// making.
void TControl::UpdateBackground()
{
    if (!autoFillBackground())
        return;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, m_color.ToQColor());
    setPalette(palette);
}

void TControl::UpdateToolTip()
{
    setToolTip(m_showHint ? m_hint : QString());
}
