#include "runtime/Form.h"

#include <QCloseEvent>

#include "runtime/Application.h"

TForm::TForm(QWidget *parent) : TWinControl(parent, Qt::Window)
{}

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

void TForm::SetBorderStyle(TFormBorderStyle borderStyle)
{
    if (Change(m_borderStyle, borderStyle))
        ApplyBorderStyle();
}

void TForm::Show()
{
    SetVisible(true);
    raise();
    activateWindow();
}

void TForm::Close()
{
    close();
}

void TForm::Loaded()
{
    TWinControl::Loaded();
    const int clientWidth = m_storedClientWidth >= 0 ? m_storedClientWidth : width();
    const int clientHeight = m_storedClientHeight >= 0 ? m_storedClientHeight : height();
    m_storedClientWidth = m_storedClientHeight = -1;
    if (QSize(clientWidth, clientHeight) != size())
        resize(clientWidth, clientHeight);
}

void TForm::CaptionChanged()
{
    setWindowTitle(Caption());
}

void TForm::closeEvent(QCloseEvent *event)
{
    TWinControl::closeEvent(event);
    if (event->isAccepted() && TApplication::MainForm() == this)
        TApplication::Terminate();
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
