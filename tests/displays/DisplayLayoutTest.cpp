#include <QDir>

#include <gtest/gtest.h>

#include "app/Classes.h"
#include "displays/DispLEDLbl.h"
#include "displays/DispLEDs.h"
#include "runtime/ProcessState.h"
#include "runtime/layout/LayoutReader.h"
#include "runtime/layout/LayoutWriter.h"
#include "tests/runtime/layout/TestForm.h"

namespace {

// The displays of the main window's CPU page and the NCP value, as its stored layout holds them.
const char *const kLayout = R"(object F: TTestForm
  Color = clBlack
  object DispLEDLabel1: TDispLEDLabel
    Left = 8
    Top = 0
    Width = 37
    Height = 17
    Caption = 'CPU'
    FontSize = fs11x13
    NumChars = 3
    ParentColor = False
    Bevel.BevelOuter = bvNone
    Bevel.BorderSpace = 2
    Bevel.BorderSpaceColor = clBlack
  end
  object LEDCPU: TDispLEDPanel
    Left = 60
    Top = 2
    Width = 23
    Height = 13
    DigitSize = ls08x13
    MaxValue = 100
    NumDigits = 3
    Bevel.BevelOuter = bvNone
  end
  object LEDNCP: TDispLEDPanel
    Left = 90
    Top = 2
    Width = 71
    Height = 13
    DigitSize = ls08x13
    MaxValue = 999999999
    NumDigits = 9
    Bevel.BevelOuter = bvNone
  end
end
)";

class DisplayLayoutTest : public ::testing::Test
{
protected:
    DisplayLayoutTest() { RegisterClasses(); }
    ~DisplayLayoutTest() override { ProcessState::ResetAll(); }
};

TEST_F(DisplayLayoutTest, HoldsTheMainWindowsDisplaysAtTheirSizesAndStoresNoDigits)
{
    TTestForm form;
    form.resize(170, 20);
    form.setAutoFillBackground(true);
    form.setPalette(QPalette(Qt::black));
    ReadLayout(&form, QString::fromLatin1(kLayout));
    auto *label = form.findChild<TDispLEDLabel *>("DispLEDLabel1");
    auto *cpu = form.findChild<TDispLEDPanel *>("LEDCPU");
    auto *ncp = form.findChild<TDispLEDPanel *>("LEDNCP");
    ASSERT_TRUE(label && cpu && ncp);
    EXPECT_EQ(label->geometry(), QRect(8, 0, 37, 17));
    EXPECT_EQ(cpu->geometry(), QRect(60, 2, 23, 13));
    EXPECT_EQ(ncp->geometry(), QRect(90, 2, 71, 13));
    cpu->SetValue(42);
    ncp->SetValue(1234567);

    const QImage image = form.grab().toImage();
    const QString path = QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QStringLiteral("displays.png"));
    EXPECT_TRUE(image.save(path));
    EXPECT_EQ(image.pixel(60 + 8 + 6, 2 + 2), qRgb(0, 255, 0));

    const QString written = WriteLayout(&form);
    EXPECT_FALSE(written.contains(QLatin1String("TDispLEDDigit"))) << written.toStdString();
    TTestForm copy;
    ReadLayout(&copy, written);
    EXPECT_EQ(copy.findChild<TDispLEDPanel *>("LEDNCP")->findChildren<TDispLEDDigit *>().size(), 9);
}

} // namespace
