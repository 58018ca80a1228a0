#include "runtime/MessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "runtime/Application.h"

namespace {

QMessageBox::Icon IconOf(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

// The box settles its size only when shown, so it is shown first and centred then.
void CentreOnScreen(QMessageBox &box)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    box.move(frame.topLeft());
}

// The toolkit's message box. While a termination is pending the box is still built but closes at once,
// since the program is ending.
class TPlatformMessagePresenter : public TMessagePresenter
{
public:
    void Present(TMessageKind kind, const QString &caption, const QString &text) override
    {
        QMessageBox box(IconOf(kind), caption, text, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        if (TApplication::Terminated())
            return;
        if (kind == TMessageKind::Information)
            CentreOnScreen(box);
        box.exec();
    }
};

} // namespace

TMessagePresenter &TMessagePresenter::Platform()
{
    static TPlatformMessagePresenter presenter;
    return presenter;
}

void ShowPlainMessage(const QString &text)
{
    TMessagePresenter::Current().Present(TMessageKind::Plain, TApplication::CurrentTitle(), text);
}

void ShowInformation(const QString &text)
{
    TMessagePresenter::Current().Present(TMessageKind::Information, QStringLiteral("Information"), text);
}

void ShowErrorMessage(const QString &text)
{
    TMessagePresenter::Current().Present(TMessageKind::Error, TApplication::CurrentTitle(), text);
}
