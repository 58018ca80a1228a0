#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "app/Classes.h"
#include "displays/DispLEDLbl.h"
#include "displays/DispLEDs.h"
#include "runtime/ProcessState.h"
#include "runtime/layout/LayoutReader.h"
#include "runtime/layout/LayoutWriter.h"
#include "tests/runtime/layout/TestForm.h"
#include "tests/runtime/layout/TestJournal.h"

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

struct TPointerCase
{
    const char *className;
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons held;
    Qt::KeyboardModifiers keys;
    QStringList journal;
};

void PrintTo(const TPointerCase &c, std::ostream *os)
{
    *os << c.className << " " << c.journal.join(QLatin1String(" / ")).toStdString();
}

class DisplayPointer : public DisplayLayoutTest, public ::testing::WithParamInterface<TPointerCase>
{
};

// Each display raises the pointer events that its layout binds by name; a panel answers for the digit that
// was hit, at that digit's coordinates.
TEST_P(DisplayPointer, RaisesTheEventsItsLayoutBindsWithButtonKeysAndPoint)
{
    const TPointerCase &c = GetParam();
    TTestForm form;
    ReadLayout(&form, QStringLiteral(R"(object F: TTestForm
  object X: %1
    OnDblClick = ItemClick
    OnMouseDown = PointerDown
    OnMouseMove = PointerMoved
    OnMouseUp = PointerUp
  end
end
)")
                          .arg(QLatin1String(c.className)));
    auto *control = form.findChild<TControl *>(QStringLiteral("X"));
    ASSERT_TRUE(control);
    QWidget *hit = control->childAt(1, 1) ? control->childAt(1, 1) : control;
    const QPointF at(3, 4);
    QMouseEvent event(c.type, at, hit->mapToGlobal(at), c.button, c.held, c.keys);
    TTestJournal::Take();
    QCoreApplication::sendEvent(hit, &event);
    EXPECT_EQ(TTestJournal::Take(), c.journal);
}

std::vector<TPointerCase> pointerCases()
{
    std::vector<TPointerCase> cases;
    for (const char *className : {"TDispLEDPanel", "TDispLEDLabel", "TDispLevel"}) {
        cases.push_back({className, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier,
                         {"Down X mbRight SR 3,4"}});
        cases.push_back({className, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier,
                         {"Move X - CL 3,4"}});
        cases.push_back({className, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier,
                         {"Move X - 3,4"}});
        cases.push_back({className, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, Qt::AltModifier,
                         {"Up X mbMiddle A 3,4"}});
        cases.push_back({className, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier,
                         {"ItemClick X", "Down X mbLeft LD 3,4"}});
        cases.push_back({className, QEvent::MouseButtonPress, Qt::BackButton, Qt::BackButton, Qt::NoModifier, {}});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Events, DisplayPointer, ::testing::ValuesIn(pointerCases()));

class DisplayAlignment : public DisplayLayoutTest, public ::testing::WithParamInterface<const char *>
{
};

// Controls and titles share one alignment; each reads its names and writes them back. A case is
// "class property".
TEST_P(DisplayAlignment, ReadsAndWritesItsNames)
{
    const QStringList holder = QString::fromLatin1(GetParam()).split(u' ');
    const QString property = holder[1] + QStringLiteral(" = taRightJustify");
    TTestForm form;
    ReadLayout(
        &form,
        QStringLiteral("object F: TTestForm\n  object C: %1\n    %2\n  end\nend\n").arg(holder[0], property));
    EXPECT_TRUE(WriteLayout(&form).contains(property));
}

INSTANTIATE_TEST_SUITE_P(Holders, DisplayAlignment,
                         ::testing::Values("TDispLEDLabel Alignment", "TLinkLabel Alignment",
                                           "TChart Title.Alignment", "TChart Foot.Alignment"));

} // namespace
