#include "netware/NWText.h"

#include <gtest/gtest.h>

TEST(TNWStrip, TrimsSpacesAndLowControlCodes)
{
    EXPECT_EQ(StripBoth(QStringLiteral("  NAME  ")), "NAME");
    EXPECT_EQ(StripBoth(QStringLiteral("   ")), "");
    EXPECT_EQ(StripLeading(QStringLiteral("   ")), "");
    EXPECT_EQ(StripLeading(QStringLiteral(" \tA ")), "\tA ");
    EXPECT_EQ(StripTrailing(QStringLiteral("A B\x01 \x02")), "A B");
    EXPECT_EQ(StripTrailing(QStringLiteral("A\x03")), "A\x03");
    const QString fill = QStringLiteral(" \x01 \x02");
    EXPECT_EQ(StripTrailing(fill), fill);
    EXPECT_EQ(StripBoth(QString()), "");
}
