#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>

#include <QApplication>

#include <gtest/gtest.h>

#include "runtime/GraphicControl.h"
#include "runtime/layout/ClassRegistry.h"
#include "runtime/layout/LayoutError.h"
#include "runtime/layout/LayoutReader.h"
#include "tests/runtime/layout/TestClasses.h"
#include "tests/runtime/layout/TestContainer.h"
#include "tests/runtime/layout/TestControl.h"
#include "tests/runtime/layout/TestForm.h"
#include "tests/runtime/layout/TestJournal.h"

namespace {

class LayoutReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        TTestJournal::Take();
    }

    std::unique_ptr<TTestForm> Load(const QString &text)
    {
        auto form = std::make_unique<TTestForm>();
        ReadLayout(form.get(), text);
        return form;
    }

    template <class T = TTestControl> static T *Find(QObject *root, const char *name)
    {
        T *found = root->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

// A form with one control whose body is the given lines.
QString withControl(const QString &body)
{
    return QStringLiteral("object FMain: TTestForm\n  object B: TTestControl\n%1\n  end\nend\n").arg(body);
}

TEST_F(LayoutReaderTest, ReadsEveryKindOfValue)
{
    const auto form = Load(RichLayout());
    ExpectRichValues(*form);
}

TEST_F(LayoutReaderTest, NestsObjectsUnderTheirBlocksAndHandsThemToTheirContainer)
{
    const auto form = Load(RichLayout());
    TTestControl *inner = Find(form.get(), "Inner");
    EXPECT_EQ(inner->parent(), Find(form.get(), "PMain"));
    auto *list = Find<TTestContainer>(form.get(), "List");
    EXPECT_EQ(list->parent(), form.get());
    auto *item1 = Find<TTestContainer>(form.get(), "Item1");
    auto *item2 = Find<TTestContainer>(form.get(), "Item2");
    EXPECT_EQ(list->Items(), QList<QObject *>({item1, item2}));
    EXPECT_EQ(list->Target(), inner);
    EXPECT_EQ(item2->Target(), form.get());
}

TEST_F(LayoutReaderTest, BindsEventsToTheFormsHandlersByName)
{
    const auto form = Load(RichLayout());
    TTestControl *exit = Find(form.get(), "BExit");
    TTestControl *inner = Find(form.get(), "Inner");
    TTestJournal::Take();
    ASSERT_TRUE(exit->OnClick && inner->OnChange);
    EXPECT_FALSE(exit->OnChange);
    exit->OnClick(exit);
    inner->OnChange(inner);
    EXPECT_EQ(TTestJournal::Take(), QStringList({"BExitClick BExit", "ItemClick Inner"}));
    EXPECT_EQ(exit->HandlerName("OnClick"), "BExitClick");
}

TEST_F(LayoutReaderTest, BindsAnEventThatPassesMoreThanItsSenderToAHandlerOfThatSignature)
{
    const auto form = Load(withControl("    OnStep = StepTaken"));
    TTestControl *control = Find(form.get(), "B");
    TTestJournal::Take();
    control->OnStep(control, 3);
    EXPECT_EQ(TTestJournal::Take(), QStringList({"StepTaken B 3"}));
    EXPECT_THROW(Load(withControl("    OnStep = ItemClick")), ELayoutError);
}

TEST_F(LayoutReaderTest, RunsSettersInFileOrderWhileLoadingThenLoadsOnceInCreationOrder)
{
    const auto form = Load(QStringLiteral(R"(object FMain: TTestForm
  object A: TTestControl
    Left = 1
    Caption = 'a'
    Buddy = B
    Left = 2
  end
  object L: TTestContainer
    Active = True
  end
  object B: TTestControl
    Caption = 'b'
  end
end)"));
    EXPECT_EQ(TTestJournal::Take(),
              QStringList({"A.Left loading=1", "A.Caption loading=1", "A.Left loading=1",
                           "L.Active loading=1", "B.Caption loading=1", "A.Buddy", "FMain.Loaded",
                           "A.Loaded buddy=B", "L.Loaded", "B.Loaded buddy=-"}));
    EXPECT_EQ(Find(form.get(), "A")->Left(), 2);
    for (QObject *object : form->findChildren<QObject *>()) {
        if (TComponent *component = TComponent::Of(object)) {
            EXPECT_FALSE(component->Loading()) << object->objectName().toStdString();
        }
    }
    EXPECT_FALSE(form->Loading());
}

TEST_F(LayoutReaderTest, PointsBoundMembersAtTheirComponents)
{
    TBoundTestForm form;
    ReadLayout(&form, withControl("").replace("TTestForm", "TBoundTestForm"));
    EXPECT_EQ(form.B, Find(&form, "B"));
}

TEST_F(LayoutReaderTest, RefusesALayoutThatLacksABoundMembersComponentOrGivesItAnotherClass)
{
    const struct
    {
        QString layout;
        int line;
        QString what;
    } cases[] = {
        {"object FMain: TBoundTestForm\n  object C: TTestControl\n  end\nend\n", 1,
         "the window needs a TTestControl named B, which the layout lacks"},
        {"object FMain: TBoundTestForm\n  object B: TTestContainer\n  end\nend\n", 2,
         "B is a TTestContainer, the window needs a TTestControl"},
    };
    for (const auto &c : cases) {
        TBoundTestForm form;
        try {
            ReadLayout(&form, c.layout);
            ADD_FAILURE() << "read " << qPrintable(c.layout);
        } catch (const ELayoutError &error) {
            EXPECT_EQ(error.Line(), c.line);
            EXPECT_EQ(error.What(), c.what);
        }
        EXPECT_EQ(form.B, nullptr);
    }
}

// Heights far beyond any screen are cut to the font's bound, whichever way the layout gives them.
TEST_F(LayoutReaderTest, BoundsFontHeightsThatWouldOverflow)
{
    TClassRegistry::Instance().RegisterClass<TGraphicControl>();
    const struct
    {
        const char *line;
        int height;
    } cases[] = {
        {"Font.Height = -2147483648", -TFont::kMaxHeight},
        {"Font.Height = 2147483647", TFont::kMaxHeight},
        {"Font.Size = 2000000000", -TFont::kMaxHeight},
        {"Font.Size = -2147483648", TFont::kMaxHeight},
        {"Font.Size = 12", -16},
    };
    for (const auto &c : cases) {
        const auto form =
            Load(QStringLiteral("object F: TTestForm\n  object L: TGraphicControl\n    %1\n  end\nend\n")
                     .arg(QLatin1String(c.line)));
        const TFont &font = *Find<TGraphicControl>(form.get(), "L")->Font();
        EXPECT_EQ(font.Height(), c.height) << c.line;
        EXPECT_EQ(font.ToQFont().pixelSize(), std::abs(c.height)) << c.line;
    }
}

struct TValueCase
{
    const char *line;
    std::function<bool(const TTestControl &)> holds;
};

void PrintTo(const TValueCase &testCase, std::ostream *out)
{
    *out << testCase.line;
}

class LayoutReaderValues : public LayoutReaderTest, public ::testing::WithParamInterface<TValueCase>
{
};

TEST_P(LayoutReaderValues, ReadsEdgeValues)
{
    const auto form = Load(withControl(QString::fromUtf8(GetParam().line)));
    EXPECT_TRUE(GetParam().holds(*Find(form.get(), "B"))) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Values, LayoutReaderValues,
    ::testing::Values(
        TValueCase{"Left = -2147483648", [](auto &c) { return c.Left() == INT_MIN; }},
        TValueCase{"Left = -$10", [](auto &c) { return c.Left() == -16; }},
        TValueCase{"Ratio = 3", [](auto &c) { return c.Ratio() == 3.0; }},
        TValueCase{"Ratio = 1.5e3", [](auto &c) { return c.Ratio() == 1500.0; }},
        TValueCase{"Flat = true", [](auto &c) { return c.Flat(); }},
        TValueCase{"Options = []", [](auto &c) { return c.Options() == TTestControl::TTestOptions(); }},
        TValueCase{"Lines = ()", [](auto &c) { return c.Lines().isEmpty(); }},
        TValueCase{"Glyph = {}", [](auto &c) { return c.Glyph().isEmpty(); }},
        TValueCase{"Color = -2147483633", [](auto &c) { return c.Color() == clBtnFace; }},
        TValueCase{"Color = $FFFFFFFF", [](auto &c) { return c.Color() == TColor(0xFFFFFFFF); }},
        TValueCase{"Color = CLRED", [](auto &c) { return c.Color() == clRed; }},
        TValueCase{"Caption = #$41'b'#67", [](auto &c) { return c.Caption() == "AbC"; }},
        TValueCase{"Caption = 'ünï // x'",
                   [](auto &c) { return c.Caption() == QString::fromUtf8("ünï // x"); }}));

std::string control(const char *body)
{
    return withControl(QString::fromUtf8(body)).toStdString();
}

// Containers nested `depth` deep under the form.
std::string nested(int depth)
{
    QString text = QStringLiteral("object FMain: TTestForm\n");
    for (int level = 1; level <= depth; ++level)
        text += QStringLiteral("object C%1: TTestContainer\n").arg(level);
    return (text + QStringLiteral("end\n").repeated(depth + 1)).toStdString();
}

TEST_F(LayoutReaderTest, TakesNestingUpToItsBound)
{
    EXPECT_NO_THROW(Load(QString::fromStdString(nested(64))));
}

struct TErrorCase
{
    std::string text;
    int line;
    const char *what;
};

// The line at fault and the complaint, so that cases with the same complaint are told apart.
void PrintTo(const TErrorCase &testCase, std::ostream *out)
{
    const QString atFault = QString::fromStdString(testCase.text).split(u'\n').value(testCase.line - 1);
    *out << "line " << testCase.line << " \"" << atFault.trimmed().toStdString() << "\": " << testCase.what;
}

class LayoutReaderErrors : public LayoutReaderTest, public ::testing::WithParamInterface<TErrorCase>
{
};

TEST_P(LayoutReaderErrors, NamesTheLineAndLeavesNothingBehind)
{
    TTestForm form;
    const QObjectList before = form.children();
    try {
        ReadLayout(&form, QString::fromStdString(GetParam().text));
        FAIL() << "no error for: " << GetParam().text;
    } catch (const ELayoutError &error) {
        EXPECT_EQ(error.Line(), GetParam().line) << error.what();
        EXPECT_TRUE(error.What().contains(QLatin1String(GetParam().what))) << error.what();
        EXPECT_TRUE(error.Message().contains(QStringLiteral("line %1").arg(GetParam().line)));
    }
    EXPECT_EQ(form.children(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, LayoutReaderErrors,
    ::testing::Values(
        TErrorCase{"object FMain: TOther\nend", 1, "class TOther"},
        TErrorCase{"object FMain: TTestForm\n  object X: TNope\n  end\nend", 2, "unknown class TNope"},
        TErrorCase{
            "object FMain: TTestForm\n  object L: TTestContainer\n    object B: TTestControl\n    end\n"
            "  end\nend",
            3, "cannot be placed in L"},
        TErrorCase{
            "object FMain: TTestForm\n  object A: TTestControl\n  end\n  object a: TTestControl\n  end\nend",
            4, "duplicate component name a"},
        TErrorCase{"object FMain: TTestForm\n  Nope = 1\nend", 2, "unknown property Nope"},
        TErrorCase{"object FMain: TTestForm\n  objectName = 'x'\nend", 2, "unknown property objectName"},
        TErrorCase{"object FMain: TTestForm\n  Font.Nope = 1\nend", 2, "unknown property Nope"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth.X = 1\nend", 2, "holds no sub-object"},
        TErrorCase{"object FMain: TTestForm\n  Font = FMain\nend", 2, "read-only"},
        TErrorCase{"object FMain: TTestForm\n  object B: TTestControl\n    Left = 1\n  end\n  end\nend", 6,
                   "'end' without an object"},
        TErrorCase{"object FMain: TTestForm\n  object B: TTestControl\n    Left = 1\nend", 1,
                   "'end' missing for object FMain"},
        TErrorCase{"object FMain: TTestForm\nend\nLeft = 1", 3, "text after the end"},
        TErrorCase{nested(65), 66, "nested too deeply"},
        TErrorCase{"object FMain: TTestForm\n  Color = clNope\nend", 2, "unknown colour clNope"},
        TErrorCase{"object FMain: TTestForm\n  Color = 4294967296\nend", 2, "out of range"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth = 'wide'\nend", 2, "expected an integer"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth = 2147483648\nend", 2, "out of range"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth = 99999999999999999999\nend", 2, "out of range"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth = 12abc\nend", 2, "bad number"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth = @\nend", 2, "unexpected character '@'"},
        TErrorCase{"object FMain: TTestForm\n  ClientWidth =\nend", 2, "value missing"},
        TErrorCase{"object FMain: TTestForm\n  Font.Name = 'open\nend", 2, "string not closed"},
        TErrorCase{"object FMain: TTestForm\n  Font.Name = #1114112\nend", 2, "bad character code"},
        TErrorCase{control("    Level = 256"), 3, "out of range 0..255"},
        TErrorCase{control("    Level = -1"), 3, "out of range"},
        TErrorCase{control("    Kind = tkNope"), 3, "unknown enumerator tkNope"},
        TErrorCase{control("    Kind = 1"), 3, "expected an enumerator"},
        TErrorCase{control("    Options = [toBold, toNope]"), 3, "unknown set element"},
        TErrorCase{control("    Options = [toBold toItalic]"), 3, "expected ','"},
        TErrorCase{control("    Flat = 1"), 3, "expected True or False"},
        TErrorCase{control("    Lines = ('a' 2)"), 3, "expected a string"},
        TErrorCase{control("    Glyph = 'ab'"), 3, "expected a byte block"},
        TErrorCase{control("    Glyph = {012}"), 3, "odd number"},
        TErrorCase{control("    Glyph = {01\n 0g}"), 4, "bad character 'g'"},
        TErrorCase{"object FMain: TTestForm\n  object B: TTestControl\n    Glyph = {0102\n      0304\n", 3,
                   "byte block not closed"},
        TErrorCase{control("    Mask2 = {01000000}"), 3, "does not hold its own length"},
        TErrorCase{control("    Mask2 = 'text'"), 3, "does not hold its own length"},
        TErrorCase{control("    OnClick = Nope"), 3, "unknown handler Nope"},
        TErrorCase{control("    OnClick = 'BExitClick'"), 3, "unknown handler"},
        TErrorCase{control("    OnClick = destroyed"), 3, "unknown handler"},
        TErrorCase{control("    Buddy = Nobody"), 3, "unresolved reference Nobody"},
        TErrorCase{control("    Buddy = FMain"), 3, "does not fit property Buddy"},
        TErrorCase{control("    Buddy = 'B'"), 3, "expects a component name"}));

// Hostile text: every mutation of a valid layout either loads or is refused with one ELayoutError, and
// a refused one leaves the form as it was.
TEST_F(LayoutReaderTest, SurvivesMutatedLayouts)
{
    const QStringList lines = RichLayout().split(u'\n');
    const QString noise = QStringLiteral("{}()[]'#$=.:,-+ \n/0123456789abcdefEndObjectTrue");
    std::mt19937 random(20261208);
    auto pick = [&random](qsizetype size) { return qsizetype(random() % std::max<qsizetype>(size, 1)); };
    const int widgetsBefore = int(QApplication::allWidgets().size());
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        QStringList mutated = lines;
        const int mutations = 1 + int(random() % 3);
        for (int m = 0; m < mutations; ++m) {
            switch (random() % 4) {
            case 0:
                mutated.removeAt(pick(mutated.size()));
                break;
            case 1:
                mutated.insert(pick(mutated.size()), mutated.value(pick(mutated.size())));
                break;
            case 2:
                mutated.swapItemsAt(pick(mutated.size()), pick(mutated.size()));
                break;
            default: {
                QString &line = mutated[pick(mutated.size())];
                if (!line.isEmpty())
                    line[pick(line.size())] = noise.at(pick(noise.size()));
            }
            }
        }
        QString text = mutated.join(u'\n');
        if (random() % 8 == 0)
            text.truncate(pick(text.size()));
        TTestForm form;
        const QObjectList before = form.children();
        try {
            ReadLayout(&form, text);
            ++loaded;
        } catch (const ELayoutError &) {
            ASSERT_EQ(form.children(), before) << text.toStdString();
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

} // namespace
