#include "netware/NWText.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "netware/NWNotice.h"
#include "runtime/Adapter.h"
#include "tests/runtime/RecordingPresenter.h"

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

namespace {

struct TReplaceCase
{
    const char *name;
    QString text;
    QString find;
    QString replacement;
    QString expected;
};

void PrintTo(const TReplaceCase &c, std::ostream *out)
{
    *out << c.name;
}

class TNWReplaceText : public ::testing::TestWithParam<TReplaceCase>
{
};

const QString kLong = QString(300, QLatin1Char('a')) + QStringLiteral("END");

} // namespace

TEST_P(TNWReplaceText, ReplacesEveryOccurrenceWhateverItsCase)
{
    const TReplaceCase &c = GetParam();
    EXPECT_EQ(ReplaceText(c.text, c.find, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TNWReplaceText,
    ::testing::Values(TReplaceCase{"Semicolons", "a;b;C", ";", "\n", "a\nb\nC"},
                      TReplaceCase{"MixedCase", "Foo fOO bar", "foo", "x", "x x bar"},
                      TReplaceCase{"LongerReplacement", "a-b", "-", "<->", "a<->b"},
                      TReplaceCase{"ReplacementHoldsFind", "aXa", "x", "<x>", "a<x>a"},
                      TReplaceCase{"Adjacent", "aaa", "AA", "b", "ba"},
                      TReplaceCase{"Absent", "abc", "z", "y", "abc"},
                      TReplaceCase{"EmptyFindChangesNothing", "abc", "", "x", "abc"},
                      TReplaceCase{"Latin1Letters", QString::fromLatin1("\xe9t\xc9"),
                                   QString::fromLatin1("\xc9"), "e", "ete"},
                      TReplaceCase{"PastTheShortStringRange", kLong, "end", "!",
                                   QString(300, QLatin1Char('a')) + "!"}));

TEST(TNWText, LeadingCharsTakesAtMostN)
{
    EXPECT_EQ(LeadingChars(QStringLiteral("ABC"), 1), "A");
    EXPECT_EQ(LeadingChars(QStringLiteral("ABC"), 5), "ABC");
    EXPECT_EQ(LeadingChars(QStringLiteral("ABC"), -1), "");
    EXPECT_EQ(LeadingChars(kLong, 299).size(), 299);
}

TEST(TNWText, UpperCaseKeepsEveryCharacterAndTheLength)
{
    // Sharp s, y with diaeresis and micro sign have no 8-bit capital; the division sign is no letter.
    const QString text = QString::fromLatin1("stra\xdf" "e \xff\xb5\xf7\xe0\xfe");
    EXPECT_EQ(UpperText(text), QString::fromLatin1("STRA\xdf" "E \xff\xb5\xf7\xc0\xde"));
    EXPECT_EQ(UpperText(text).toLatin1().size(), text.size());
}

namespace {

class TCursorRecordingPresenter : public TRecordingPresenter
{
public:
    void Present(TMessageKind kind, const QString &caption, const QString &text) override
    {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        shapeWhileShown = cursor ? cursor->shape() : Qt::BlankCursor;
        TRecordingPresenter::Present(kind, caption, text);
    }

    Qt::CursorShape shapeWhileShown = Qt::BlankCursor;
};

} // namespace

TEST(TNWNotice, ShowsLinesInTheInformationBoxWithTheDefaultCursorAndGivesTheCursorBack)
{
    TCursorRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> useBoxes(presenter);
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));

    ShowNotice(QStringLiteral("a;b;C"));

    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].kind, TMessageKind::Information);
    EXPECT_EQ(presenter.boxes[0].text, "a\nb\nC");
    EXPECT_EQ(presenter.shapeWhileShown, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
}
