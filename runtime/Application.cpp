#include "runtime/Application.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPalette>
#include <QPointer>
#include <QStyleFactory>

#include "runtime/Color.h"
#include "runtime/Font.h"
#include "runtime/ProcessState.h"

namespace {

// Process-wide, so that termination works without reaching the application object.
struct TApplicationState
{
    bool terminated = false;
    QPointer<QWidget> mainForm;
    QEventLoop *loop = nullptr;
};

// The object's own lifetime decides this one, so a reset of the process state leaves it alone.
TApplication *s_instance = nullptr;

TApplicationState &State()
{
    return TProcessState<TApplicationState>::Instance();
}

std::unique_ptr<QApplication> CreateApplication(int &argc, char **argv)
{
    // Pixel art scales by whole numbers only, so its pixels stay square.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    // Chosen before the application exists, so that the toolkit never makes and polishes a default style.
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    auto application = std::make_unique<QApplication>(argc, argv);
    // The loop ends when the main form closes, not when the last window does.
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

// Boxes and menus in the classic desktop look that the skin's system colours come from, the same on every
// desktop: the classic style (chosen with the application), the default scheme's colours and the default
// window font.
void ApplyClassicLook()
{
    QPalette palette;
    palette.setColor(QPalette::Window, clBtnFace.ToQColor());
    palette.setColor(QPalette::Button, clBtnFace.ToQColor());
    palette.setColor(QPalette::WindowText, clWindowText.ToQColor());
    palette.setColor(QPalette::ButtonText, clWindowText.ToQColor());
    palette.setColor(QPalette::Text, clWindowText.ToQColor());
    palette.setColor(QPalette::Base, clWhite.ToQColor());
    palette.setColor(QPalette::Light, clBtnHighlight.ToQColor());
    palette.setColor(QPalette::Midlight, TColor(SystemColor(22)).ToQColor());
    palette.setColor(QPalette::Mid, clBtnShadow.ToQColor());
    palette.setColor(QPalette::Dark, clBtnShadow.ToQColor());
    palette.setColor(QPalette::Shadow, TColor(SystemColor(21)).ToQColor());
    palette.setColor(QPalette::Highlight, clHighlight.ToQColor());
    palette.setColor(QPalette::HighlightedText, TColor(SystemColor(14)).ToQColor());
    palette.setColor(QPalette::Disabled, QPalette::Text, clGrayText.ToQColor());
    palette.setColor(QPalette::Disabled, QPalette::WindowText, clGrayText.ToQColor());
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, clGrayText.ToQColor());
    QApplication::setPalette(palette);
    QApplication::setFont(TFont().ToQFont());
}

void CloseModalDialogs()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(widget);
        if (dialog && dialog->isVisible() && dialog->isModal())
            dialog->done(QDialog::Rejected);
    }
}

} // namespace

TApplication::TApplication(int &argc, char **argv) : m_application(CreateApplication(argc, argv))
{
    TFont::InstallSubstitutes();
    ApplyClassicLook();
    s_instance = this;
}

TApplication::~TApplication()
{
    // Services with threads of their own go while the toolkit still stands, not after main.
    ProcessState::StopServices();
    s_instance = nullptr;
}

TApplication *TApplication::Instance()
{
    return s_instance;
}

void TApplication::SetTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
}

QString TApplication::CurrentTitle()
{
    return Instance() ? Instance()->Title() : QString();
}

int TApplication::Run()
{
    if (Terminated())
        return 0;
    QEventLoop loop;
    State().loop = &loop;
    loop.exec();
    State().loop = nullptr;
    return 0;
}

void TApplication::SetMainForm(QWidget *form)
{
    State().mainForm = form;
}

QWidget *TApplication::MainForm()
{
    return State().mainForm;
}

void TApplication::Terminate()
{
    TApplicationState &state = State();
    state.terminated = true;
    CloseModalDialogs();
    if (state.loop)
        state.loop->quit();
}

bool TApplication::Terminated()
{
    return State().terminated;
}
