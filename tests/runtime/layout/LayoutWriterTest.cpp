#include <memory>

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"
#include "runtime/layout/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/GraphicControl.h"
#include "runtime/WinControl.h"
#include "runtime/layout/LayoutReader.h"
#include "runtime/layout/LayoutWriter.h"
#include "tests/runtime/layout/TestClasses.h"
#include "tests/runtime/layout/TestContainer.h"
#include "tests/runtime/layout/TestControl.h"
#include "tests/runtime/layout/TestForm.h"

namespace {

class LayoutWriterTest : public ::testing::Test
{
protected:
    void SetUp() override { RegisterTestClasses(); }

    std::unique_ptr<TTestForm> Load(const QString &text)
    {
        auto form = std::make_unique<TTestForm>();
        ReadLayout(form.get(), text);
        return form;
    }

    QString RoundTrip(const QString &text) { return WriteLayout(Load(text).get()); }
};

TEST_F(LayoutWriterTest, RoundTripIsStable)
{
    const QString once = RoundTrip(RichLayout());
    EXPECT_EQ(RoundTrip(once), once);
}

TEST_F(LayoutWriterTest, RoundTripKeepsEveryValue)
{
    const auto form = Load(RoundTrip(RichLayout()));
    ExpectRichValues(*form);
}

TEST_F(LayoutWriterTest, WritesOnlyWhatDiffersFromTheDefaultsInItsOwnOrder)
{
    TTestForm form;
    form.setObjectName("FMain");
    form.SetClientWidth(10);
    form.Font()->SetHeight(-12);
    auto *button = new TTestControl(&form);
    button->setObjectName("B");
    button->SetCaption("x");
    button->SetKind(TTestControl::tkRaised);
    button->SetColor(TColor(0x123456));
    button->SetBuddy(button);
    button->SetScratch(5);
    button->setGeometry(1, 2, 3, 4);
    button->BindEvent("OnChange", "ItemClick", [](QObject *) {});
    new TTestControl(&form);
    new QObject(&form);
    EXPECT_EQ(WriteLayout(&form), "object FMain: TTestForm\n"
                                  "  ClientWidth = 10\n"
                                  "  Font.Height = -12\n"
                                  "  object B: TTestControl\n"
                                  "    Caption = 'x'\n"
                                  "    Kind = tkRaised\n"
                                  "    Color = 1193046\n"
                                  "    Buddy = B\n"
                                  "    OnChange = ItemClick\n"
                                  "    Mask2 = {\n"
                                  "      00000000}\n"
                                  "  end\n"
                                  "end\n");
}

TEST_F(LayoutWriterTest, WrapsByteBlocksAndListsOnIndentedLines)
{
    TTestForm form;
    form.setObjectName("F");
    auto *control = new TTestControl(&form);
    control->setObjectName("C");
    control->SetGlyph(QByteArray(40, '\xAB'));
    control->SetLines({"a'b", "\tx"});
    const QString hex32 = QString("AB").repeated(32);
    const QString text = WriteLayout(&form);
    EXPECT_TRUE(text.contains("    Glyph = {\n      " + hex32 + "\n      ABABABABABABABAB}\n"))
        << qPrintable(text);
    EXPECT_TRUE(text.contains("    Lines = (\n      'a''b'\n      #9'x')\n")) << qPrintable(text);
}

TEST_F(LayoutWriterTest, LeavesAColourOrFontThatFollowsTheParentToTheParent)
{
    TClassRegistry::Instance().RegisterClass<TWinControl>();
    TClassRegistry::Instance().RegisterClass<TGraphicControl>();
    const QString layout = "object F: TTestForm\n"
                           "  object P: TWinControl\n"
                           "    Color = clBlack\n"
                           "    Font.Color = clLime\n"
                           "    object L: TGraphicControl\n"
                           "    end\n"
                           "  end\n"
                           "end\n";
    const QString written = RoundTrip(layout);
    const QString child = written.section("object L:", 1);
    EXPECT_FALSE(child.contains("Color") || child.contains("Font")) << qPrintable(written);
    EXPECT_EQ(RoundTrip(written), written);
}

TEST_F(LayoutWriterTest, WritesEveryStoredPropertyOfAnUnregisteredClass)
{
    ProcessState::ResetAll();
    TTestForm form;
    form.setObjectName("F");
    const QString text = WriteLayout(&form);
    EXPECT_EQ(text,
              "object F: TTestForm\n  ClientWidth = 0\n  Color = clBtnFace\n  Font.Name = 'MS Sans Serif'\n"
              "  Font.Height = -11\n  Font.Color = clWindowText\nend\n");
}

TEST_F(LayoutWriterTest, RefusesValuesTheTextCannotHold)
{
    TTestForm form;
    auto *control = new TTestControl(&form);
    control->setObjectName("C");
    control->SetKind(TTestControl::TTestKind(7));
    EXPECT_THROW(WriteLayout(&form), Exception);
    control->SetKind(TTestControl::tkPlain);
    control->SetRatio(std::numeric_limits<double>::infinity());
    EXPECT_THROW(WriteLayout(&form), Exception);
}

} // namespace
