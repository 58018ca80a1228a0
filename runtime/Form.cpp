#include "runtime/Form.h"

#include <QCloseEvent>
#include <QPalette>

#include "runtime/Application.h"
#include "runtime/Control.h"
#include "runtime/Font.h"

TForm::TForm(QWidget *parent) : QWidget(parent, Qt::Window), m_font(new TFont(this))
{
    connect(m_font, &TFont::changed, this, &TForm::OwnFontChanged);
    setFont(m_font->ToQFont());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, m_color.ToQColor());
    setPalette(palette);
}

void TForm::SetLeft(int left)
{
    if (left != x())
        move(left, y());
}

void TForm::SetTop(int top)
{
    if (top != y())
        move(x(), top);
}

int TForm::Width() const
{
    return width() + FrameExtra().width();
}

void TForm::SetWidth(int width)
{
    SetClientWidth(width - FrameExtra().width());
}

int TForm::Height() const
{
    return height() + FrameExtra().height();
}

void TForm::SetHeight(int height)
{
    SetClientHeight(height - FrameExtra().height());
}

void TForm::SetClientWidth(int width)
{
    if (Loading())
        m_storedClientWidth = width;
    if (width != QWidget::width())
        resize(width, height());
}

void TForm::SetClientHeight(int height)
{
    if (Loading())
        m_storedClientHeight = height;
    if (height != QWidget::height())
        resize(width(), height);
}

void TForm::SetCaption(const QString &caption)
{
    if (caption != windowTitle())
        setWindowTitle(caption);
}

void TForm::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color.ToQColor());
    setPalette(palette);
    TControl::NotifyParentColorChanged(this);
}

void TForm::SetBorderStyle(TFormBorderStyle borderStyle)
{
    if (m_borderStyle == borderStyle)
        return;
    m_borderStyle = borderStyle;
    ApplyBorderStyle();
}

void TForm::Show()
{
    show();
    raise();
    activateWindow();
}

void TForm::Close()
{
    close();
}

void TForm::Loaded()
{
    TComponent::Loaded();
    const int clientWidth = m_storedClientWidth >= 0 ? m_storedClientWidth : width();
    const int clientHeight = m_storedClientHeight >= 0 ? m_storedClientHeight : height();
    m_storedClientWidth = m_storedClientHeight = -1;
    if (QSize(clientWidth, clientHeight) != size())
        resize(clientWidth, clientHeight);
}

void TForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && TApplication::MainForm() == this)
        TApplication::Terminate();
}

void TForm::OwnFontChanged()
{
    setFont(m_font->ToQFont());
    TControl::NotifyParentFontChanged(this);
}

void TForm::ApplyBorderStyle()
{
    Qt::WindowFlags flags;
    switch (m_borderStyle) {
    case bsNone:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    case bsSingle:
        flags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case bsSizeable:
        flags = Qt::Window;
        break;
    case bsDialog:
        flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case bsToolWindow:
        flags = Qt::Tool | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case bsSizeToolWin:
        flags = Qt::Tool;
        break;
    }
    // Changing the flags hides a window; a shown form stays shown.
    const bool wasVisible = isVisible();
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

QSize TForm::FrameExtra() const
{
    const QRect frame = frameGeometry();
    return QSize(frame.width() - width(), frame.height() - height());
}
