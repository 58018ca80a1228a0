#include "runtime/Font.h"

#include <QFontInfo>

#include <gtest/gtest.h>

TEST(TFont, DefaultsToAnElevenPixelSansSerifInWindowText)
{
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Pitch(), TFont::fpDefault);
    EXPECT_EQ(font.Style(), TFont::TFontStyles());
}

TEST(TFont, SizeInPointsFollowsTheHeightAtNinetySixDpi)
{
    TFont font;
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
}

TEST(TFont, ConvertsToAPixelSizedFontWithoutAntialiasing)
{
    TFont font;
    font.SetHeight(-13);
    font.SetStyle(TFont::fsBold | TFont::fsItalic);
    const QFont qfont = font.ToQFont();
    EXPECT_EQ(qfont.pixelSize(), 13);
    EXPECT_EQ(qfont.family(), "MS Sans Serif");
    EXPECT_TRUE(qfont.styleStrategy() & QFont::NoAntialias);
    EXPECT_TRUE(qfont.bold());
    EXPECT_TRUE(qfont.italic());
    EXPECT_FALSE(qfont.underline());
    font.SetHeight(0);
    EXPECT_EQ(font.ToQFont().pixelSize(), 11);
}

TEST(TFont, OldDesktopFamiliesAreDrawnWithLiberationSans)
{
    TFont font;
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), "Liberation Sans");
    font.SetName("Arial");
    EXPECT_EQ(QFontInfo(font.ToQFont()).family(), "Liberation Sans");
    // Installing twice does not stack the substitute.
    TFont::InstallSubstitutes();
    EXPECT_EQ(QFont::substitutes("Arial").filter("liberation sans", Qt::CaseInsensitive).size(), 1);
}

TEST(TFont, NotifiesOnlyRealChangesAndAssignNotifiesOnce)
{
    TFont font;
    int changes = 0;
    font.SetChangeHandler([&changes] { ++changes; });
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    EXPECT_EQ(changes, 0);
    font.SetColor(clLime);
    EXPECT_EQ(changes, 1);

    TFont source;
    source.SetName("Arial");
    source.SetHeight(-20);
    source.SetPitch(TFont::fpVariable);
    font.Assign(source);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(font.Equals(source));
    font.Assign(source);
    EXPECT_EQ(changes, 2);
}

TEST(TPersistent, AnUpdateLockHoldsChangesBackAndItsReleaseNotifiesOnce)
{
    TFont font;
    int changes = 0;
    font.SetChangeHandler([&changes] { ++changes; });
    font.BeginUpdate();
    font.BeginUpdate();
    font.SetHeight(-20);
    font.SetColor(clRed);
    font.EndUpdate();
    EXPECT_EQ(changes, 0);
    font.EndUpdate();
    EXPECT_EQ(changes, 1);
    // Also when nothing changed: the owner asked for one notification at the end.
    font.BeginUpdate();
    font.EndUpdate();
    EXPECT_EQ(changes, 2);
    font.EndUpdate();
    EXPECT_EQ(changes, 2);
    font.SetChangeHandler({});
    font.SetHeight(-30);
    EXPECT_EQ(changes, 2);
}
