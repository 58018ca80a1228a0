#include "skin/CustomLinkLabel.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "skin/Mnemonic.h"

TCustomLinkLabel::TCustomLinkLabel(QWidget *parent) : TGraphicControl(parent)
{
    resize(65, 17);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (m_showFocus && m_focusControl && (old == m_focusControl || now == m_focusControl))
            Invalidate();
    });
}

void TCustomLinkLabel::SetAlignment(TAlignment alignment)
{
    if (Change(m_alignment, alignment))
        Invalidate();
}

void TCustomLinkLabel::SetLayout(TTextLayout layout)
{
    if (Change(m_layout, layout))
        Invalidate();
}

void TCustomLinkLabel::SetAutoSize(bool autoSize)
{
    if (Change(m_autoSize, autoSize))
        AdjustBounds();
}

void TCustomLinkLabel::SetWordWrap(bool wordWrap)
{
    if (Change(m_wordWrap, wordWrap))
        AdjustBounds();
}

void TCustomLinkLabel::SetTransparent(bool transparent)
{
    if (Change(m_transparent, transparent))
        Invalidate();
}

void TCustomLinkLabel::SetShadowColor(TColor color)
{
    if (Change(m_shadowColor, color))
        Invalidate();
}

void TCustomLinkLabel::SetShadowSize(int size)
{
    size = std::clamp(size, 0, 255);
    if (m_shadowSize == size)
        return;
    m_shadowSize = size;
    AdjustBounds();
    Invalidate();
}

void TCustomLinkLabel::SetShadowPos(TShadowPosition position)
{
    if (Change(m_shadowPos, position))
        Invalidate();
}

void TCustomLinkLabel::SetShowAccelChar(bool show)
{
    if (Change(m_showAccelChar, show))
        Invalidate();
}

void TCustomLinkLabel::SetFocusControl(TWinControl *control)
{
    m_focusControl = control;
}

void TCustomLinkLabel::SetShowFocus(bool show)
{
    if (Change(m_showFocus, show))
        Invalidate();
}

void TCustomLinkLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLinkLabel::CaptionChanged()
{
    m_shortcut = GrabMnemonic(this, m_shortcut, Caption());
    Invalidate();
    AdjustBounds();
}

void TCustomLinkLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLinkLabel::EnabledChanged()
{
    Invalidate();
    Recheck();
}

void TCustomLinkLabel::paintEvent(QPaintEvent *)
{
    if (!isEnabled() && !Designing())
        m_leftHeld = false;
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), Color().ToQColor());
    QRect text = rect().adjusted(1, 0, -1, 0);
    if (m_layout != tlTop) {
        const int room = height() - ShadowText(nullptr, text).bottom() - 1;
        text.translate(0, m_layout == tlCenter ? room / 2 : room);
    }
    ShadowText(&painter, text);
    if (m_showFocus && m_focusControl && m_focusControl->hasFocus() && !Designing()) {
        painter.setPen(QPen(Font()->Color().ToQColor(), 1, Qt::DotLine));
        painter.drawRect(text.adjusted(-1, 0, 0, -1));
    }
}

void TCustomLinkLabel::mousePressEvent(QMouseEvent *event)
{
    TGraphicControl::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled())
        m_leftHeld = true;
    else if (event->button() == Qt::RightButton)
        Recheck();
}

void TCustomLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointer<TCustomLinkLabel> self(this);
    TGraphicControl::mouseReleaseEvent(event);
    if (!self)
        return;
    if (event->button() == Qt::LeftButton)
        m_leftHeld = false;
    Recheck();
}

void TCustomLinkLabel::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (isEnabled() && QApplication::activeWindow())
        SetPointerInside(true);
}

void TCustomLinkLabel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (isEnabled() && !m_leftHeld)
        SetPointerInside(false);
}

void TCustomLinkLabel::showEvent(QShowEvent *event)
{
    TGraphicControl::showEvent(event);
    Recheck();
}

bool TCustomLinkLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (m_focusControl && isEnabled() && m_showAccelChar && m_focusControl->focusPolicy() != Qt::NoFocus)
            m_focusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return TGraphicControl::event(event);
}

// A disabled label is grey with a highlight shadow, which needs an offset to show.
TCustomLinkLabel::TTextLook TCustomLinkLabel::Look() const
{
    if (isEnabled())
        return {Font()->Color(), m_shadowColor, m_shadowSize, m_shadowPos};
    if (m_shadowSize == 0)
        return {clGrayText, clBtnHighlight, 1, spRightBottom};
    return {clGrayText, clBtnHighlight, m_shadowSize, m_shadowPos};
}

int TCustomLinkLabel::TextFlags() const
{
    int flags = Qt::TextExpandTabs | Qt::AlignTop;
    flags |= m_alignment == taRightJustify ? Qt::AlignRight : m_alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    else
        flags |= Qt::TextSingleLine;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

// Measuring counts an empty caption, or a lone accelerator mark, as one blank.
QString TCustomLinkLabel::MeasuredText() const
{
    if (Caption().isEmpty() || (m_showAccelChar && Caption() == QLatin1String("&")))
        return Caption() + QLatin1Char(' ');
    return Caption();
}

QRect TCustomLinkLabel::ShadowText(QPainter *painter, const QRect &r) const
{
    const TLaidOutText &text = LaidOut(r, painter != nullptr);
    if (painter)
        painter->drawImage(QPoint(0, 0), text.pixels);
    return text.covered;
}

QPoint TCustomLinkLabel::ShadowOffset(const TTextLook &look)
{
    const int s = look.shadowSize;
    const QPoint offsets[] = {{-s, -s}, {-s, s}, {s, s}, {s, -s}};
    return offsets[look.shadowPos];
}

const TCustomLinkLabel::TLaidOutText &TCustomLinkLabel::LaidOut(const QRect &r, bool drawn) const
{
    const TTextKey key{Caption(), Font()->ToQFont(), TextFlags(), Look(), r, size(), devicePixelRatioF()};
    auto found = std::ranges::find(m_laidOut, key, &TLaidOutText::key);
    if (found == m_laidOut.end()) {
        // Two captions in two colours is all a label shows in turn.
        constexpr std::size_t kKept = 4;
        if (m_laidOut.size() == kKept)
            m_laidOut.pop_back();
        const int leftFlags = (key.flags & ~(Qt::AlignRight | Qt::AlignHCenter)) | Qt::AlignLeft;
        QRect measured = QFontMetrics(key.font).boundingRect(r, leftFlags, MeasuredText());
        measured.moveTopLeft(r.topLeft());
        found = m_laidOut.insert(m_laidOut.begin(),
                                 {key, measured | measured.translated(ShadowOffset(key.look)), QImage()});
    }
    if (drawn && found->pixels.isNull()) {
        found->pixels = QImage(key.size * key.pixelRatio, QImage::Format_ARGB32_Premultiplied);
        found->pixels.setDevicePixelRatio(key.pixelRatio);
        found->pixels.fill(Qt::transparent);
        QPainter painter(&found->pixels);
        painter.setFont(key.font);
        painter.setPen(key.look.shadowColor.ToQColor());
        painter.drawText(r.translated(ShadowOffset(key.look)), key.flags, key.caption);
        painter.setPen(key.look.color.ToQColor());
        painter.drawText(r, key.flags, key.caption);
    }
    return *found;
}

// The left edge stays, or the right edge for right-justified text.
void TCustomLinkLabel::AdjustBounds()
{
    // A stored layout's run of caption and font values is measured once, when it has loaded.
    if (!m_autoSize || Loading())
        return;
    const QRect text = ShadowText(nullptr, QRect(1, 0, std::max(width() - 2, 0), std::max(height(), 1)))
                           .adjusted(-1, 0, 1, 0);
    const int newWidth = text.x() + text.width();
    const int newHeight = text.y() + text.height();
    const int left = m_alignment == taRightJustify ? x() + width() - newWidth : x();
    SetBounds(left, y(), newWidth, newHeight);
}

// Whether the pointer is over the label now, for the moments when no enter or leave arrives.
void TCustomLinkLabel::Recheck()
{
    // The pointer's place is asked of the display only when it can matter.
    SetPointerInside(isEnabled() && QApplication::activeWindow() && PointerOver(true));
}
