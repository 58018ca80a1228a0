#include "runtime/MessageBox.h"

#include <functional>

#include <QApplication>
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

// Runs `show` while a timer ticks. On the `tick`-th tick that finds a box open, `onOpen` acts on the box; a
// box still open on the tick after that is closed and fails the test, so a box that ignores the action cannot
// hang it. Returns how many ticks found a box open.
int TicksWhileOpen(const std::function<void()> &show, int tick,
                   const std::function<void(QMessageBox &)> &onOpen)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || ++ticks < tick)
            return;
        if (ticks == tick) {
            onOpen(*box);
            return;
        }
        ADD_FAILURE() << "the box stayed open";
        box->done(QDialog::Rejected);
    });
    timer.start(5);
    show();
    return ticks;
}

void PressOk(QMessageBox &box)
{
    box.button(QMessageBox::Ok)->click();
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
    bool inspected = false;
    const auto inspect = [&](QMessageBox &box) {
        inspected = true;
        EXPECT_EQ(box.windowTitle(), "Information");
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.buttons().size(), 1);
        EXPECT_EQ(box.text(), "Sembrolin requires NetWare 4 console rights.");
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((box.frameGeometry().center() - screenCentre).manhattanLength(), 2);
        PressOk(box);
    };

    // The box closes only from the third tick, so it stays open unless timers fire inside its loop.
    EXPECT_EQ(
        TicksWhileOpen([] { ShowInformation("Sembrolin requires NetWare 4 console rights."); }, 3, inspect),
        3);
    EXPECT_TRUE(inspected);
}

TEST_F(MessageBoxes, PlainBoxHasNoIcon)
{
    bool inspected = false;
    TicksWhileOpen([] { ShowPlainMessage("Unable to load Netware APIs"); }, 1,
                   [&](QMessageBox &box) {
                       inspected = true;
                       EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
                       EXPECT_EQ(box.buttons().size(), 1);
                       PressOk(box);
                   });
    EXPECT_TRUE(inspected);
}

TEST_F(MessageBoxes, BoxesCloseAtOnceWhileTheProgramIsEnding)
{
    TApplication::Terminate();
    const auto showBoth = [] {
        ShowInformation("Sembrolin requires NetWare 4 console rights.");
        ShowPlainMessage("Unable to load Netware APIs");
    };
    EXPECT_EQ(TicksWhileOpen(showBoth, 1, PressOk), 0) << "a box waited for the user";

    // The request still reaches the presenter: the box is made, then closes.
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override(presenter);
    ShowInformation("x");
    EXPECT_EQ(presenter.boxes.size(), 1u);
}

TEST_F(MessageBoxes, TerminatingWhileABoxIsOpenClosesIt)
{
    const auto terminate = [](QMessageBox &) { TApplication::Terminate(); };
    EXPECT_EQ(TicksWhileOpen([] { ShowInformation("NetWare Client APIs are not loaded."); }, 1, terminate),
              1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
