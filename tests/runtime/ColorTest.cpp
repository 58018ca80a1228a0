#include "runtime/Color.h"

#include <gtest/gtest.h>

TEST(TColor, PlainValuesAreStoredAsBlueGreenRed)
{
    EXPECT_EQ(clRed.ToQColor(), QColor(255, 0, 0));
    EXPECT_EQ(clLime.ToQColor(), QColor(0, 255, 0));
    EXPECT_EQ(TColor(0x00FF80).ToQColor(), QColor(0x80, 0xFF, 0x00));
    EXPECT_FALSE(clTeal.IsSystem());
    // Bits above the colour are ignored when drawn.
    EXPECT_EQ(TColor(0x01000000 | 0x0000FF).ToRGB(), 0x0000FFu);
}

TEST(TColor, SystemColoursResolveToTheClassicScheme)
{
    EXPECT_TRUE(clBtnFace.IsSystem());
    EXPECT_EQ(clBtnFace.ToQColor(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(clBtnShadow.ToQColor(), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(clWindowText.ToQColor(), QColor(0, 0, 0));
    EXPECT_EQ(clBtnHighlight.ToQColor(), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(clActiveCaption.ToQColor(), QColor(0, 0, 0x80));
    EXPECT_EQ(clCaptionText.ToQColor(), QColor(0xFF, 0xFF, 0xFF));
    // A system colour beyond the scheme draws black instead of reading past the table.
    EXPECT_EQ(TColor(SystemColor(200)).ToRGB(), 0u);
}

TEST(TColor, NamesReadCaseInsensitivelyAndWriteBack)
{
    EXPECT_EQ(TColor::FromName("clLime"), clLime);
    EXPECT_EQ(TColor::FromName("CLBTNFACE"), clBtnFace);
    EXPECT_FALSE(TColor::FromName("clPurple").has_value());
    EXPECT_EQ(clActiveCaption.Name(), QString("clActiveCaption"));
    EXPECT_EQ(clMaroon.Name(), QString("clMaroon"));
    EXPECT_FALSE(TColor(0xA4A0A0).Name().has_value());
}
