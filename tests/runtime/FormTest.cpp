#include "runtime/Form.h"

#include <QTest>

#include <gtest/gtest.h>

#include "runtime/GraphicControl.h"

TEST(TForm, IsCreatedHiddenAsAFramedTopLevelWindow)
{
    TForm form;
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.BorderStyle(), TForm::bsSizeable);
    EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
    form.Show();
    EXPECT_TRUE(form.isVisible());
}

TEST(TForm, BorderStyleNoneMakesAFramelessWindowThatStaysShown)
{
    TForm form;
    form.Show();
    form.SetBorderStyle(TForm::bsNone);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.isVisible());
    form.SetBorderStyle(TForm::bsToolWindow);
    EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.windowType(), Qt::Tool);
}

TEST(TForm, PositionAndSizesGoThroughTheirProperties)
{
    TForm form;
    form.SetBorderStyle(TForm::bsNone);
    form.setProperty("Left", 255);
    form.setProperty("Top", 167);
    form.setProperty("ClientWidth", 371);
    form.setProperty("ClientHeight", 182);
    form.setProperty("Caption", "FMain");
    EXPECT_EQ(form.pos(), QPoint(255, 167));
    EXPECT_EQ(form.size(), QSize(371, 182));
    EXPECT_EQ(form.Width(), 371);
    EXPECT_EQ(form.windowTitle(), "FMain");
    form.SetHeight(75);
    EXPECT_EQ(form.ClientHeight(), 75);
    EXPECT_EQ(form.Left(), 255);
}

TEST(TForm, StoredClientSizeWinsOverResizesDuringLoading)
{
    TForm form;
    form.BeginLoading();
    form.SetClientWidth(371);
    form.SetClientHeight(182);
    // A skin control sizes the window to its picture while the layout loads.
    form.resize(371, 188);
    form.Loaded();
    EXPECT_EQ(form.size(), QSize(371, 182));
    // Once loaded, a resize stays.
    form.resize(371, 75);
    form.Loaded();
    EXPECT_EQ(form.height(), 75);
}

TEST(TForm, FontAndColourReachChildrenThatFollowTheirParent)
{
    TForm form;
    auto *label = new TGraphicControl(&form);
    form.SetColor(clBlack);
    form.Font()->SetHeight(-13);
    EXPECT_EQ(label->Color(), clBlack);
    EXPECT_EQ(label->Font()->Height(), -13);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST(TForm, IsAControlWithItsHintCursorAndClicks)
{
    TForm form;
    form.SetHint("Sembrolin");
    form.SetShowHint(true);
    form.SetCursor(TControl::crHandPoint);
    int clicks = 0;
    form.OnClick = [&clicks](QObject *) { ++clicks; };
    form.resize(40, 20);
    form.Show();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form.toolTip(), "Sembrolin");
    EXPECT_EQ(form.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.Visible());
    form.Close();
    EXPECT_FALSE(form.Visible());
}
