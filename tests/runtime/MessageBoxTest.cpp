#include "runtime/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include "runtime/Application.h"
#include "runtime/ProcessState.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

class MessageBoxes : public ::testing::Test
{
protected:
    void TearDown() override { ProcessState::ResetAll(); }
};

// Runs `inspect` on the box that is open once the modal loop runs, then presses its OK button.
void WhileOpen(const std::function<void(QMessageBox &)> &inspect)
{
    QTimer::singleShot(50, [inspect] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(*box);
        box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

TEST_F(MessageBoxes, PlainAndInformationBoxesAskForTheirCaptions)
{
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override(presenter);
    ShowPlainMessage("Unable to load Netware APIs");
    ShowInformation("NetWare Client APIs are not loaded.");
    ShowErrorMessage("Bad value");

    ASSERT_EQ(presenter.boxes.size(), 3u);
    EXPECT_EQ(presenter.boxes[0].kind, TMessageKind::Plain);
    // The test program sets no title, so the caption is empty.
    EXPECT_EQ(presenter.boxes[0].caption, QString());
    EXPECT_EQ(presenter.boxes[0].text, "Unable to load Netware APIs");
    EXPECT_EQ(presenter.boxes[1].kind, TMessageKind::Information);
    EXPECT_EQ(presenter.boxes[1].caption, "Information");
    EXPECT_EQ(presenter.boxes[1].text, "NetWare Client APIs are not loaded.");
    EXPECT_EQ(presenter.boxes[2].kind, TMessageKind::Error);
}

TEST_F(MessageBoxes, InformationBoxIsCentredWithOneOkButtonAndTimersKeepFiring)
{
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start();

    bool inspected = false;
    WhileOpen([&](QMessageBox &box) {
        inspected = true;
        EXPECT_EQ(box.windowTitle(), "Information");
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.text(), "Sembrolin requires NetWare 4 console rights.");
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((box.frameGeometry().center() - screenCentre).manhattanLength(), 2);
    });
    ShowInformation("Sembrolin requires NetWare 4 console rights.");

    EXPECT_TRUE(inspected);
    EXPECT_GE(ticks, 3);
}

TEST_F(MessageBoxes, PlainBoxHasNoIcon)
{
    bool inspected = false;
    WhileOpen([&](QMessageBox &box) {
        inspected = true;
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons().size(), 1);
    });
    ShowPlainMessage("Unable to load Netware APIs");
    EXPECT_TRUE(inspected);
}

TEST_F(MessageBoxes, BoxesCloseAtOnceWhileTheProgramIsEnding)
{
    TApplication::Terminate();
    bool hadToClose = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&hadToClose] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            hadToClose = true;
            box->close();
        }
    });
    guard.start(200);

    QElapsedTimer clock;
    clock.start();
    ShowInformation("Sembrolin requires NetWare 4 console rights.");
    ShowPlainMessage("Unable to load Netware APIs");
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_FALSE(hadToClose);

    // The request still reaches the presenter: the box is made, then closes.
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override(presenter);
    ShowInformation("x");
    EXPECT_EQ(presenter.boxes.size(), 1u);
}

TEST_F(MessageBoxes, TerminatingWhileABoxIsOpenClosesIt)
{
    QTimer::singleShot(50, [] { TApplication::Terminate(); });
    QElapsedTimer clock;
    clock.start();
    ShowInformation("NetWare Client APIs are not loaded.");
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
