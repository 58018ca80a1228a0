#include "runtime/Application.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>

#include "runtime/Font.h"

namespace {

// Process-wide, so that termination works in tests without an application object.
struct TTerminationState
{
    bool terminated = false;
    QPointer<QWidget> mainForm;
    QEventLoop *loop = nullptr;
    TApplication *instance = nullptr;
};

TTerminationState &State()
{
    static TTerminationState state;
    return state;
}

std::unique_ptr<QApplication> CreateApplication(int &argc, char **argv)
{
    // Pixel art scales by whole numbers only, so its pixels stay square.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    auto application = std::make_unique<QApplication>(argc, argv);
    // The loop ends when the main form closes, not when the last window does.
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
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
    State().instance = this;
}

TApplication::~TApplication()
{
    State().instance = nullptr;
}

TApplication *TApplication::Instance()
{
    return State().instance;
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
    TTerminationState &state = State();
    state.terminated = true;
    CloseModalDialogs();
    if (state.loop)
        state.loop->quit();
}

bool TApplication::Terminated()
{
    return State().terminated;
}

void TApplication::ResetTermination()
{
    State().terminated = false;
    State().mainForm = nullptr;
}
