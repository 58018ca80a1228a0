#include "displays/DispLEDLbl.h"

#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include "displays/GlyphStrip.h"
#include "runtime/ErrorBox.h"

namespace {

constexpr int kFirstCode = 32;
constexpr int kLastCode = 103;

} // namespace

TDispLEDLabel::TDispLEDLabel(QWidget *parent) : TDispGraphicControl(parent), m_timer(new QTimer(this))
{
    PublishEvent(QStringLiteral("OnBegin"), OnBegin);
    PublishEvent(QStringLiteral("OnStep"), OnStep);
    PublishEvent(QStringLiteral("OnEnd"), OnEnd);
    m_timer->setInterval(m_scrollSpeed);
    connect(m_timer, &QTimer::timeout, this, &TDispLEDLabel::ScrollStep);
    Bevel()->SetBorderSpace(2);
    resize(11, 13);
    SetColor(clBlack);
}

void TDispLEDLabel::SetFontSize(TDispLEDFontSize size)
{
    if (size == m_fontSize || size < fs11x13 || size > fs16x20)
        return;
    m_fontSize = size;
    StripChanged();
}

void TDispLEDLabel::SetNumChars(int count)
{
    if (count == m_numChars || count < 0)
        return;
    m_numChars = count;
    Relayout();
}

void TDispLEDLabel::SetAutoSize(bool autoSize)
{
    if (Change(m_autoSize, autoSize))
        Relayout();
}

void TDispLEDLabel::SetAlignment(TAlignment alignment)
{
    if (Change(m_alignment, alignment))
        Invalidate();
}

void TDispLEDLabel::SetLEDSpace(int space)
{
    if (space <= 0 || space == m_ledSpace)
        return;
    m_ledSpace = space;
    Relayout();
}

void TDispLEDLabel::SetLEDColor(TColor color)
{
    if (Change(m_ledColor, color))
        StripChanged();
}

void TDispLEDLabel::SetInactiveColor(TColor color)
{
    if (Change(m_inactiveColor, color))
        StripChanged();
}

void TDispLEDLabel::SetDrawInactive(bool drawInactive)
{
    if (Change(m_drawInactive, drawInactive))
        StripChanged();
}

void TDispLEDLabel::SetAutoScroll(bool autoScroll)
{
    if (autoScroll == m_autoScroll)
        return;
    m_autoScroll = autoScroll;
    if (autoScroll)
        StartScrolling();
    else
        m_timer->stop();
    m_currentStep = m_startStep;
    Invalidate();
}

void TDispLEDLabel::SetScrollSpeed(int milliseconds)
{
    m_scrollSpeed = milliseconds;
    m_timer->setInterval(std::max(milliseconds, 0));
}

bool TDispLEDLabel::AcceptsStep(int step) const
{
    return step >= 0 && step <= Caption().length();
}

void TDispLEDLabel::SetStartStep(int step)
{
    if (step == m_startStep || !AcceptsStep(step))
        return;
    m_startStep = step;
    m_currentStep = step;
    Invalidate();
}

void TDispLEDLabel::SetCurrentStep(int step)
{
    if (step == m_currentStep || !AcceptsStep(step))
        return;
    m_currentStep = step;
    Invalidate();
}

bool TDispLEDLabel::Scrolling() const
{
    return m_timer->isActive();
}

void TDispLEDLabel::StartScrolling()
{
    if (m_timer->isActive())
        return;
    if (m_currentStep > Caption().length())
        m_currentStep = m_startStep;
    m_alignment = taLeftJustify;
    CallHandler(OnBegin, this);
    m_timer->start();
}

void TDispLEDLabel::ScrollStep()
{
    if (!m_timer->isActive())
        return;
    ++m_currentStep;
    if (isVisible())
        repaint();
    if (m_currentStep >= Caption().length()) {
        if (m_autoScroll)
            m_currentStep = m_startStep;
        else
            m_timer->stop();
        CallHandler(OnEnd, this);
    } else {
        CallHandler(OnStep, this);
    }
}

QString TDispLEDLabel::VisibleText() const
{
    const QString caption = Caption();
    const int length = int(caption.length());
    switch (m_alignment) {
    case taRightJustify:
        return caption.right(m_numChars).rightJustified(m_numChars, QLatin1Char(' '));
    case taCenter:
        if (length >= m_numChars)
            return caption.mid((length - m_numChars) / 2, m_numChars);
        return QString((m_numChars - length) / 2, QLatin1Char(' ')) +
               caption.leftJustified(m_numChars - (m_numChars - length) / 2, QLatin1Char(' '));
    case taLeftJustify:
        break;
    }
    return caption.mid(m_currentStep, m_numChars).leftJustified(m_numChars, QLatin1Char(' '));
}

int TDispLEDLabel::Cell(ushort code)
{
    return code >= kFirstCode && code <= kLastCode ? code - kFirstCode : 0;
}

void TDispLEDLabel::Loaded()
{
    TDispGraphicControl::Loaded();
    StripChanged();
}

void TDispLEDLabel::StripChanged()
{
    // Recoloured at the next paint, so that a layout's run of font and colour changes recolours once.
    m_strip = QImage();
    Relayout();
    Invalidate();
}

const QImage &TDispLEDLabel::Strip() const
{
    if (m_strip.isNull())
        m_strip = GlyphStrip::Recolour(GlyphStrip::Load(GlyphStrip::kFontStrips[m_fontSize]), m_ledColor,
                                       Color(), m_inactiveColor, m_drawInactive);
    return m_strip;
}

QSize TDispLEDLabel::CellSize() const
{
    return GlyphStrip::GlyphSize(GlyphStrip::kFontStrips[m_fontSize]);
}

QSize TDispLEDLabel::LayoutSize() const
{
    const int b = Bevel()->BevelExtent();
    const QSize cell = CellSize();
    return QSize(2 * b + (cell.width() + m_ledSpace - 1) * m_numChars - m_ledSpace + 1,
                 cell.height() + 2 * b);
}

void TDispLEDLabel::Relayout(bool fromWidth)
{
    if (Loading())
        return;
    const int b = Bevel()->BevelExtent();
    const int cellWidth = CellSize().width();
    if (m_autoSize)
        m_numChars = int(Caption().length());
    else if (fromWidth)
        m_numChars = std::max(0, (width() + m_ledSpace - 2 * b - 1) / (cellWidth + m_ledSpace - 1));
    const QSize size = LayoutSize();
    if (size == this->size())
        Invalidate();
    else
        resize(size);
}

void TDispLEDLabel::Paint(QPainter &painter)
{
    TDispGraphicControl::Paint(painter);
    RenderText(painter);
}

void TDispLEDLabel::RenderText(QPainter &painter) const
{
    const int b = Bevel()->BevelExtent();
    const QString text = VisibleText();
    const QSize size = CellSize();
    for (int i = 0; i < text.length(); ++i) {
        const int cell = isEnabled() ? Cell(text.at(i).unicode()) : 0;
        painter.drawImage(QPoint(b + i * (size.width() + m_ledSpace - 1), b), Strip(),
                          QRect(QPoint(cell * size.width(), 0), size));
    }
}

void TDispLEDLabel::CaptionChanged()
{
    Relayout();
    Invalidate();
}

void TDispLEDLabel::ColorChanged()
{
    StripChanged();
}

void TDispLEDLabel::BevelChanged()
{
    Relayout();
}

void TDispLEDLabel::SetWidth(int width)
{
    TDispGraphicControl::SetWidth(width);
    FollowBounds();
}

void TDispLEDLabel::SetHeight(int height)
{
    TDispGraphicControl::SetHeight(height);
    FollowBounds();
}

void TDispLEDLabel::resizeEvent(QResizeEvent *event)
{
    TDispGraphicControl::resizeEvent(event);
    FollowBounds();
}

// A hidden label hears of its new size only when it is shown, so a size asked for is laid out at once.
void TDispLEDLabel::FollowBounds()
{
    if (!Loading() && size() != LayoutSize())
        Relayout(true);
}
