#include "runtime/Application.h"

#include <QApplication>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include "runtime/Color.h"
#include "runtime/Form.h"
#include "runtime/ProcessState.h"

namespace {

class Application : public ::testing::Test
{
protected:
    void TearDown() override { ProcessState::ResetAll(); }
};

} // namespace

TEST_F(Application, TheTitleIsEmptyUntilTheProgramSetsIt)
{
    ASSERT_NE(TApplication::Instance(), nullptr);
    EXPECT_TRUE(TApplication::CurrentTitle().isEmpty());
}

TEST_F(Application, BoxesAndMenusHaveTheClassicStyleAndColours)
{
    EXPECT_STREQ(QApplication::style()->metaObject()->className(), "QWindowsStyle");
    EXPECT_EQ(QApplication::palette().color(QPalette::Button), clBtnFace.ToQColor());
    EXPECT_EQ(QApplication::palette().color(QPalette::Disabled, QPalette::Text), clGrayText.ToQColor());
}

TEST_F(Application, RunReturnsAtOnceWhenTheProgramIsAlreadyEnding)
{
    TApplication::Terminate();
    EXPECT_TRUE(TApplication::Terminated());
    // Fires only inside a loop, and ends it, so that the fault fails the test instead of hanging it.
    bool looped = false;
    QTimer loopGuard;
    loopGuard.setSingleShot(true);
    QObject::connect(&loopGuard, &QTimer::timeout, [&looped] {
        looped = true;
        TApplication::Terminate();
    });
    loopGuard.start(0);
    TApplication::Run();
    EXPECT_FALSE(looped);
}

TEST_F(Application, ClosingTheMainFormEndsTheLoop)
{
    TForm other;
    TForm main;
    TApplication::SetMainForm(&main);
    main.Show();
    other.Show();
    // Both run in the loop, in this order; each is dropped with its form.
    QTimer::singleShot(0, &other, &TForm::Close);
    QTimer::singleShot(0, &main, [&main] {
        EXPECT_FALSE(TApplication::Terminated());
        main.Close();
    });
    TApplication::Run();
    EXPECT_TRUE(TApplication::Terminated());
    EXPECT_FALSE(main.isVisible());
}

TEST_F(Application, ClosingTheHiddenMainFormBeforeTheLoopEndsTheProgram)
{
    TForm main;
    TApplication::SetMainForm(&main);
    main.Close();
    EXPECT_TRUE(TApplication::Terminated());
}
