#include "skin/ExplorerButton.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "resources/Resources.h"
#include "runtime/Edges.h"
#include "runtime/ErrorBox.h"
#include "runtime/Form.h"
#include "skin/ButtonLayout.h"
#include "skin/FontFx.h"
#include "skin/Mnemonic.h"
#include "skin/TimerPool.h"

using TState = TExplorerButton::TState;

namespace {

constexpr int kCaptionFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;

} // namespace

TExplorerButton::TExplorerButton(QWidget *parent)
    : TGraphicControl(parent), m_layout(new TButtonLayout(this)), m_fontFx(new TFontFx(this))
{
    PublishEvent(QStringLiteral("OnMouseExit"), OnMouseExit);
    PublishEvent(QStringLiteral("OnDblClick"), OnDblClick);
    m_layout->SetChangeHandler([this] { Invalidate(); });
    m_fontFx->SetChangeHandler([this] { Invalidate(); });
    setMouseTracking(true);
    resize(54, 40);
}

TExplorerButton::~TExplorerButton()
{
    StopTimer(m_hoverTimer);
    StopTimer(m_repeatTimer);
}

void TExplorerButton::SetGlyph(const QString &name)
{
    m_glyphName = name;
    SetGlyphBitmap(ReadImage(name));
}

void TExplorerButton::SetGlyphBitmap(const QImage &bitmap)
{
    m_glyph.SetBitmap(bitmap);
    Invalidate();
}

void TExplorerButton::SetNumGlyphs(int numGlyphs)
{
    m_glyph.SetNumGlyphs(numGlyphs);
    Invalidate();
}

void TExplorerButton::SetUnColorMain(bool unColorMain)
{
    m_glyph.SetUnColorMain(unColorMain);
    Invalidate();
}

void TExplorerButton::SetDropDownMenu(TPopupMenu *menu)
{
    m_dropDownMenu = menu;
}

void TExplorerButton::SetEnterColor(TColor color)
{
    if (Change(m_enterColor, color))
        Invalidate();
}

void TExplorerButton::SetEnterColorChange(bool change)
{
    if (Change(m_enterColorChange, change))
        Invalidate();
}

void TExplorerButton::SetAllowAllUp(bool allowAllUp)
{
    if (Change(m_allowAllUp, allowAllUp))
        NotifyGroup();
}

void TExplorerButton::SetGroupIndex(int groupIndex)
{
    if (Change(m_groupIndex, groupIndex))
        NotifyGroup();
}

void TExplorerButton::SetPressed(bool pressed)
{
    if (m_groupIndex == 0)
        pressed = false;
    if (pressed == m_pressed || (m_pressed && !m_allowAllUp))
        return;
    m_pressed = pressed;
    ChangeState(pressed ? TState::Down : TState::Up);
    // The state change alone skips Hot to Down for few glyph images, but the edge still changes.
    Invalidate();
    if (pressed)
        NotifyGroup();
}

int TExplorerButton::GlyphIndex() const
{
    if (m_state == TState::Disabled || m_state == TState::DisabledDown)
        return 1;
    const int index = int(m_state);
    if (index < m_glyph.NumGlyphs())
        return index;
    if (!m_glyph.UnColorMain())
        return 0;
    return m_state == TState::DroppedDown ? 4 : 2;
}

void TExplorerButton::Invalidate()
{
    if (isVisible())
        repaint();
    else
        update();
}

void TExplorerButton::CaptionChanged()
{
    m_shortcut = GrabMnemonic(this, m_shortcut, Caption());
    Invalidate();
}

void TExplorerButton::EnabledChanged()
{
    if (isEnabled())
        ChangeState(m_pressed ? TState::Down : TState::Up);
    else
        ChangeState(m_pressed ? TState::DisabledDown : TState::Disabled);
    Invalidate();
}

void TExplorerButton::MouseLeave()
{
    CallHandler(OnMouseExit, this);
}

void TExplorerButton::paintEvent(QPaintEvent *)
{
    if (Loading())
        return;
    QPainter painter(this);
    const TBoxes boxes = Layout();
    if (!boxes.glyph.isEmpty())
        painter.drawImage(boxes.glyph.topLeft(), m_glyph.Image(GlyphIndex()));
    if (!Caption().isEmpty()) {
        const bool entered = m_state == TState::Hot || m_state == TState::Down || Sunken();
        painter.setFont(Font()->ToQFont());
        m_fontFx->Draw(painter, boxes.text, boxes.caption, Qt::AlignLeft | Qt::AlignTop | kCaptionFlags,
                       Caption(), m_enterColorChange && entered ? m_enterColor : Font()->Color(),
                       isEnabled());
    }
    if (!boxes.arrow.isEmpty())
        DrawArrow(painter, boxes.arrow);
    if (m_state == TState::Hot)
        DrawEdges(painter, rect(), 1, clBtnHighlight, clBtnShadow);
    else if (m_state == TState::Down || m_state == TState::DisabledDown || Sunken())
        DrawEdges(painter, rect(), 1, clBtnShadow, clBtnHighlight);
}

// A downward triangle filling its box: rows narrowing by one pixel on each side down to the tip.
void TExplorerButton::DrawArrow(QPainter &painter, const QRect &box) const
{
    for (const TFontFx::TPass &pass : m_fontFx->Passes(m_layout->ArrowColor(), isEnabled(), false)) {
        const QRect at = box.translated(pass.offset);
        for (int row = 0; row < at.height(); ++row)
            painter.fillRect(at.left() + row, at.top() + row, at.width() - 2 * row, 1, pass.color.ToQColor());
    }
}

void TExplorerButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (m_dropDownMenu) {
        if (m_state == TState::DroppedDown) {
            ChangeState(TState::Hot);
            return;
        }
        const TState seen = m_state;
        const QPointer<TExplorerButton> self(this);
        DropDown();
        if (self)
            ChangeState(seen);
        return;
    }
    m_mouseDown = true;
    if (m_previousState == TState::Down && m_state == TState::Hot && m_groupIndex != 0) {
        ChangeState(TState::Down);
    } else if (!m_pressed) {
        ChangeState(TState::Pushed);
        if (m_repeatedClick) {
            const QPointer<TExplorerButton> self(this);
            Click();
            if (!self)
                return;
            StopTimer(m_repeatTimer);
            Guarded([this] {
                m_repeatTimer = TTimerPool::Instance().Start(m_repeatingInterval, [this] { Click(); });
            });
        }
    }
}

void TExplorerButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_state == TState::DroppedDown)
        return;
    // A move counts the pixels just past the right and bottom edges as inside.
    const bool inside = Hit(event->position().toPoint(), Qt::RightEdge | Qt::BottomEdge);
    if (m_mouseDown && (inside || m_groupIndex == 0 || m_state == TState::Pushed)) {
        if (!inside)
            ChangeState(TState::Up);
        else
            ChangeState(m_pressed ? TState::Down : TState::Pushed);
    }
    if (SetPointerInside(inside) && inside && m_state == TState::Up)
        ChangeState(TState::Hot);
}

void TExplorerButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || m_state == TState::DroppedDown || !m_mouseDown)
        return;
    m_mouseDown = false;
    StopTimer(m_repeatTimer);
    // A release just past the bottom edge still clicks; one just past the right edge does not.
    Release(Hit(event->position().toPoint(), Qt::BottomEdge));
}

// The second press of a double click has come as a press of its own; taken as one more, it would press
// twice (and drop a menu down a second time).
void TExplorerButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && isEnabled())
        CallHandler(OnDblClick, this);
}

void TExplorerButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (SetPointerInside(true) && isEnabled() && m_state == TState::Up)
        ChangeState(TState::Hot);
}

void TExplorerButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (SetPointerInside(false) && m_state == TState::Hot)
        ChangeState(m_previousState);
}

bool TExplorerButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        Accelerator();
        return true;
    }
    return TGraphicControl::event(event);
}

// An inactive window's buttons keep their look; with few glyph images Hot and Down look alike and are
// not repainted.
void TExplorerButton::ChangeState(TState state)
{
    if (const auto *form = qobject_cast<const TForm *>(window()); form && !form->isActiveWindow()) {
        if (!m_postClick || state != TState::Hot)
            return;
        state = TState::Up;
    }
    if (state == m_state)
        return;
    const bool hotDown = (state == TState::Hot && m_state == TState::Down) ||
                         (state == TState::Down && m_state == TState::Hot);
    const bool needsRepaint = !(FewGlyphs() && hotDown);
    m_previousState = state == TState::Hot && m_state != TState::Down ? TState::Up : m_state;
    m_state = state;
    if (needsRepaint)
        Invalidate();
    if (m_state != TState::Hot)
        StopTimer(m_hoverTimer);
    else if (!m_pressed && !m_hoverTimer)
        Guarded(
            [this] { m_hoverTimer = TTimerPool::Instance().Start(kHoverInterval, [this] { HoverTick(); }); });
}

void TExplorerButton::HoverTick()
{
    if (!PointerOver() && isEnabled())
        ChangeState(TState::Up);
}

void TExplorerButton::DropDown()
{
    if (!m_dropDownMenu || m_state == TState::DroppedDown)
        return;
    ChangeState(TState::DroppedDown);
    const QPoint corner =
        m_dropDownRight ? QPoint(width(), m_dropDownIndent) : QPoint(m_dropDownIndent, height());
    const QPointer<TExplorerButton> self(this);
    m_dropDownMenu->Popup(mapToGlobal(corner));
    if (!self)
        return;
    // The press that closed the menu has reached the button already, as a press on a dropped-down
    // button; nothing of it may start a drag or a click afterwards.
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    m_mouseDown = false;
    // The menu held the pointer, so the button saw no leave if the pointer went elsewhere; without this,
    // its coming back would not count as an entry.
    if (PointerInside() && !PointerOver()) {
        SetPointerInside(false);
        if (!self)
            return;
    }
    ChangeState(TState::Hot);
}

void TExplorerButton::Release(bool inside)
{
    TState next = TState::Up;
    if (m_groupIndex != 0) {
        if (inside) {
            if (m_state == TState::Down && !m_allowAllUp)
                return;
            SetPressed(!m_pressed);
            next = m_pressed ? TState::Down : TState::Up;
        } else if (m_pressed) {
            next = TState::Down;
        }
    } else if (inside) {
        next = TState::Hot;
    }
    if (!inside) {
        ChangeState(next);
        return;
    }
    const bool recheck = !FewGlyphs() || m_glyph.UnColorMain();
    if (!recheck)
        ChangeState(next);
    const QPointer<TExplorerButton> self(this);
    if (!m_repeatedClick)
        Click();
    // The click's handler may have freed the button.
    if (!self || !recheck || !isEnabled())
        return;
    m_postClick = true;
    ChangeState(PointerOver() && next == TState::Up ? TState::Hot : next);
    m_postClick = false;
}

void TExplorerButton::Accelerator()
{
    if (!isEnabled() || !isVisible())
        return;
    if (m_dropDownMenu) {
        DropDown();
        return;
    }
    if (m_groupIndex != 0) {
        SetPressed(!m_pressed);
        if (m_pressed)
            Click();
        return;
    }
    ChangeState(TState::Pushed);
    const QPointer<TExplorerButton> self(this);
    Click();
    if (self)
        ChangeState(PointerOver() ? TState::Hot : TState::Up);
}

void TExplorerButton::NotifyGroup()
{
    if (m_groupIndex == 0 || !parentWidget())
        return;
    for (TExplorerButton *button :
         parentWidget()->findChildren<TExplorerButton *>(Qt::FindDirectChildrenOnly))
        if (button != this)
            button->GroupChanged(*this);
}

void TExplorerButton::GroupChanged(const TExplorerButton &sender)
{
    if (sender.m_groupIndex != m_groupIndex)
        return;
    if (m_pressed && sender.m_pressed) {
        m_pressed = false;
        m_previousState = m_state;
        m_state = TState::Up;
        Invalidate();
    }
    m_allowAllUp = sender.m_allowAllUp;
}

bool TExplorerButton::FewGlyphs() const
{
    return m_glyph.IsEmpty() || m_glyph.NumGlyphs() < 3;
}

bool TExplorerButton::Sunken() const
{
    return m_state == TState::Pushed || m_state == TState::DroppedDown;
}

// Glyph and caption form one box, placed in the content rectangle, which a sunken button shifts by one
// pixel. An arrow right of the caption joins the box; one at the right of the button stands apart.
TExplorerButton::TBoxes TExplorerButton::Layout() const
{
    QRect content = rect();
    if (m_state == TState::Down || Sunken())
        content.translate(1, 1);
    const QSize glyphSize = m_glyph.SliceSize();
    QSize caption(0, 0);
    if (!Caption().isEmpty())
        caption = QFontMetrics(Font()->ToQFont()).size(kCaptionFlags, Caption());
    const QSize textSize = caption.isEmpty() ? caption : m_fontFx->Extent(caption);
    const int arrowSize = m_layout->Arrow() ? std::clamp(m_layout->ArrowSize(), 0, kMaxArrowSize) : 0;
    const QSize arrowBox(2 * arrowSize - 1, arrowSize);
    const bool arrowInBox = arrowSize > 0 && m_layout->ArrowPosition() == TButtonLayout::apRightText;
    const int arrowIndent = std::clamp(m_layout->ArrowIndent(), -kMaxArrowSize, kMaxArrowSize);
    const int arrowWidth = arrowInBox ? arrowIndent + arrowBox.width() : 0;
    const TButtonLayout::TPlaced placed =
        TButtonLayout::Place(content, glyphSize, textSize, m_layout->Spacing(), m_layout->AlignText2Glyph(),
                             m_layout->Alignment(), QSize(arrowWidth, arrowInBox ? arrowBox.height() : 0));
    const QPoint offset(m_layout->OffsetX(), m_layout->OffsetY());
    TBoxes boxes{placed.glyph.translated(offset), placed.text.translated(QPoint(1, 1) + offset), QRect(),
                 caption};
    const QRect &box = placed.box;
    if (arrowInBox)
        boxes.arrow = QRect(
            QPoint(box.right() + 1 - arrowBox.width(), box.top() + (box.height() - arrowBox.height()) / 2) +
                offset,
            arrowBox);
    else if (arrowSize > 0)
        boxes.arrow = QRect(content.topLeft() + QPoint(content.width() - arrowIndent - arrowBox.width(),
                                                       (content.height() - arrowBox.height()) / 2),
                            arrowBox);
    return boxes;
}

void TExplorerButton::StopTimer(int &handle)
{
    if (handle)
        TTimerPool::Instance().Stop(std::exchange(handle, 0));
}
