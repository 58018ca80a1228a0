#include "runtime/Application.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

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

TEST_F(Application, RunReturnsAtOnceWhenTheProgramIsAlreadyEnding)
{
    TApplication::Terminate();
    EXPECT_TRUE(TApplication::Terminated());
    QElapsedTimer clock;
    clock.start();
    TApplication::Run();
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST_F(Application, ClosingTheMainFormEndsTheLoop)
{
    TForm other;
    TForm main;
    TApplication::SetMainForm(&main);
    main.Show();
    other.Show();
    QTimer::singleShot(10, &other, &TForm::Close);
    QTimer::singleShot(50, [&] {
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
