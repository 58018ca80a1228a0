#include "displays/DispLEDLbl.h"

#include <gtest/gtest.h>

#include "tests/displays/DispLEDLblPeer.h"

namespace {

using TLabelPeer = TTestPeer<TDispLEDLabel>;

// The main window's take title: small font, no bevels, a 2-pixel gap.
void MakeTitle(TDispLEDLabel &label, const QString &caption)
{
    label.SetFontSize(TDispLEDLabel::fs11x13);
    label.Bevel()->SetBevelOuter(TDispBevel::bvNone);
    label.SetCaption(caption);
}

TEST(TDispLEDLabel, SizesItselfToTheCaptionFontAndBevel)
{
    TDispLEDLabel label;
    EXPECT_EQ(label.Bevel()->BevelExtent(), 3);
    MakeTitle(label, "CPU");
    EXPECT_EQ(label.size(), QSize(37, 17));
    EXPECT_EQ(label.NumChars(), 3);
    label.SetWidth(90);
    label.SetHeight(40);
    EXPECT_EQ(label.size(), QSize(37, 17)) << "hidden";
    label.show();
    label.resize(90, 40);
    EXPECT_EQ(label.size(), QSize(37, 17));
    label.SetCaption("");
    EXPECT_EQ(label.NumChars(), 0);
    EXPECT_EQ(label.size(), QSize(4, 17));
    label.SetFontSize(TDispLEDLabel::fs16x20);
    label.SetAutoSize(false);
    label.SetNumChars(2);
    EXPECT_EQ(label.size(), QSize(2 * 2 + 16 * 2, 24));
    label.hide();
    label.SetWidth(2 * 2 + 16 * 5 + 7);
    EXPECT_EQ(label.NumChars(), 5) << "hidden, the width asked for sets the cells";
    EXPECT_EQ(label.size(), QSize(2 * 2 + 16 * 5, 24));
}

struct TAlignCase
{
    TDispLEDLabel::TAlignment alignment;
    const char *caption;
    int numChars;
    int step;
    const char *visible;
};

using LEDLabelAlignment = ::testing::TestWithParam<TAlignCase>;

TEST_P(LEDLabelAlignment, PadsOrCutsTheCaptionToItsCells)
{
    const TAlignCase &c = GetParam();
    TDispLEDLabel label;
    label.SetAutoSize(false);
    label.SetNumChars(c.numChars);
    label.SetCaption(c.caption);
    label.SetAlignment(c.alignment);
    label.SetCurrentStep(c.step);
    EXPECT_EQ(TLabelPeer::VisibleText(label), QString::fromLatin1(c.visible));
}

using L = TDispLEDLabel;
INSTANTIATE_TEST_SUITE_P(Texts, LEDLabelAlignment,
                         ::testing::Values(TAlignCase{L::taLeftJustify, "AB", 5, 0, "AB   "},
                                           TAlignCase{L::taRightJustify, "AB", 5, 0, "   AB"},
                                           TAlignCase{L::taCenter, "AB", 5, 0, " AB  "},
                                           TAlignCase{L::taCenter, "ABCDEFG", 3, 0, "CDE"},
                                           TAlignCase{L::taRightJustify, "ABCDEFG", 3, 0, "EFG"},
                                           TAlignCase{L::taLeftJustify, "ABCDEFG", 3, 5, "FG "},
                                           TAlignCase{L::taLeftJustify, "ABC", 3, 9, "ABC"}));

struct TCellCase
{
    ushort code;
    int cell;
};

using LEDLabelCell = ::testing::TestWithParam<TCellCase>;

TEST_P(LEDLabelCell, IsTheCodeFrom32To103AndBlankOtherwise)
{
    EXPECT_EQ(TLabelPeer::Cell(GetParam().code), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(Codes, LEDLabelCell,
                         ::testing::Values(TCellCase{' ', 0}, TCellCase{'A', 33}, TCellCase{'`', 64},
                                           TCellCase{'a', 65}, TCellCase{'g', 71}, TCellCase{'h', 0},
                                           TCellCase{31, 0}, TCellCase{0x00E9, 0}));

// Lit dots of the middle column, top row first, in a small-font cell at (left, top).
QString MiddleColumn(const QImage &image, int left, int top)
{
    QString dots;
    for (int row = 0; row < 7; ++row)
        dots += image.pixel(left + 5, top + 2 * row) == qRgb(0, 255, 0) ? '#' : '.';
    return dots;
}

TEST(TDispLEDLabel, ShowsSmallLettersAsLevelBarsAndNothingLitWhenDisabled)
{
    TDispLEDLabel label;
    MakeTitle(label, "cpu");
    const QImage image = label.grab().toImage();
    EXPECT_EQ(MiddleColumn(image, 2, 2), "....###");
    EXPECT_EQ(MiddleColumn(image, 13, 2), ".......");
    EXPECT_EQ(MiddleColumn(image, 24, 2), ".......");
    label.SetCaption("T");
    EXPECT_EQ(MiddleColumn(label.grab().toImage(), 2, 2), "#######");
    label.SetEnabled(false);
    const QImage disabled = label.grab().toImage();
    EXPECT_EQ(MiddleColumn(disabled, 2, 2), ".......");
    EXPECT_EQ(disabled.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(disabled.pixel(3, 2), qRgb(0, 128, 0));
}

TEST(TDispLEDLabel, ScrollsStepByStepRaisingItsEventsAndStopsBackAtTheStartStep)
{
    TDispLEDLabel label;
    label.SetCaption("ABC");
    label.SetAlignment(TDispLEDLabel::taRightJustify);
    QStringList log;
    label.OnBegin = [&](QObject *) { log << "begin"; };
    label.OnStep = [&](QObject *) { log << QString("step %1").arg(label.CurrentStep()); };
    label.OnEnd = [&](QObject *) { log << QString("end %1").arg(label.CurrentStep()); };
    label.SetStartStep(1);
    TLabelPeer::ScrollStep(label);
    EXPECT_TRUE(log.isEmpty());
    label.SetAutoScroll(true);
    EXPECT_TRUE(TLabelPeer::Scrolling(label));
    EXPECT_EQ(label.Alignment(), TDispLEDLabel::taLeftJustify);
    TLabelPeer::ScrollStep(label);
    TLabelPeer::ScrollStep(label);
    TLabelPeer::ScrollStep(label);
    EXPECT_EQ(log, QStringList({"begin", "step 2", "end 1", "step 2"}));
    label.SetAutoScroll(false);
    EXPECT_FALSE(TLabelPeer::Scrolling(label));
    EXPECT_EQ(label.CurrentStep(), 1);
    label.SetCurrentStep(4);
    label.SetCurrentStep(-1);
    EXPECT_EQ(label.CurrentStep(), 1);
}

} // namespace
