#include "displays/DispLEDs.h"

#include <climits>
#include <memory>

#include <QEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"

template <> struct TTestPeer<TDispLEDPanel>
{
    // Slot 0 is the ones digit.
    static TDispLEDDigit *Digit(const TDispLEDPanel &panel, int slot)
    {
        return slot >= 0 && slot < panel.m_numDigits ? panel.m_digits[slot] : nullptr;
    }
};

template <> struct TTestPeer<TDispCustomLEDDigit>
{
    static TDigitCache::TStripRef Strip(const TDispCustomLEDDigit &digit) { return digit.Strip(); }
    static int Glyph(const TDispCustomLEDDigit &digit) { return digit.Glyph(); }
};

template <> struct TTestPeer<TDigitCache>
{
    static int Count(const TDigitCache &cache) { return int(cache.m_entries.size()); }
};

namespace {

using Peer = TTestPeer<TDispLEDPanel>;
using DigitPeer = TTestPeer<TDispCustomLEDDigit>;

class LEDPanelTest : public ::testing::Test
{
protected:
    ~LEDPanelTest() override { ProcessState::ResetAll(); }

    static std::unique_ptr<TDispLEDPanel> Panel(int digits, int minValue, int maxValue)
    {
        auto panel = std::make_unique<TDispLEDPanel>();
        panel->SetDigitSize(TDispCustomLEDDigit::ls08x13);
        panel->SetMaxValue(maxValue);
        panel->SetMinValue(minValue);
        panel->SetNumDigits(digits);
        return panel;
    }

    // Most significant first: a digit, ' ' for the blank glyph, '-' for the minus sign.
    static QString Shown(const TDispLEDPanel &panel)
    {
        QString text;
        for (int k = panel.NumDigits() - 1; k >= 0; --k) {
            const TDispLEDDigit *digit = Peer::Digit(panel, k);
            const int glyph = DigitPeer::Glyph(*digit);
            text += digit->DisplayType() == TDispCustomLEDDigit::ltMinus ? '-'
                    : glyph == 0                                         ? ' '
                                                                         : QChar('0' + glyph - 1);
        }
        return text;
    }
};

struct TShownCase
{
    int digits, minValue, maxValue;
    bool zeroBlank;
    int value;
    const char *shown;
    // A count the panel had when the value came, or 0; the digits it keeps must take the new row's sign,
    // blanking and carry.
    int from = 0;
};

class LEDPanelShows : public LEDPanelTest, public ::testing::WithParamInterface<TShownCase>
{
};

TEST_P(LEDPanelShows, TheClampedValueWithBlankedZerosAndItsSign)
{
    const TShownCase &c = GetParam();
    auto panel = Panel(c.from ? c.from : c.digits, c.minValue, c.maxValue);
    panel->SetZeroBlank(c.zeroBlank);
    panel->SetValue(c.value);
    panel->SetNumDigits(c.digits);
    EXPECT_EQ(Shown(*panel), QString::fromLatin1(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Values, LEDPanelShows,
    ::testing::Values(
        TShownCase{3, 0, 100, false, 7, "007"}, TShownCase{3, 0, 100, false, 100, "100"},
        TShownCase{3, 0, 100, false, 250, "100"}, TShownCase{3, 0, 100, false, -5, "000"},
        TShownCase{3, 0, 100, true, 7, "  7"}, TShownCase{3, 0, 100, true, 0, "  0"},
        TShownCase{3, 0, 100, true, 10, " 10"}, TShownCase{5, 0, 999999999, false, 123456, "23456"},
        TShownCase{4, -100, 100, false, -42, "-042"}, TShownCase{4, -100, 100, true, -42, "- 42"},
        TShownCase{9, INT_MIN, INT_MAX, false, INT_MIN, "-47483648"},
        TShownCase{9, 0, INT_MAX, true, INT_MAX, "147483647"},
        TShownCase{5, -99999, 99999, false, -42, "-0042", 2},
        TShownCase{2, -99999, 99999, false, -42, "-2", 5}, TShownCase{4, -99999, 99999, true, -7, "-  7", 3},
        TShownCase{3, -99999, 99999, true, 123, "123", 6},
        TShownCase{9, -99999, 99999, false, 5678, "000005678", 1},
        TShownCase{1, -99999, 99999, true, -1, "-", 9}));

// Counts the paints of each digit of a panel on an exposed window.
class TDigitPaints : public QObject
{
public:
    explicit TDigitPaints(const TDispLEDPanel &panel)
    {
        for (int k = 0; k < panel.NumDigits(); ++k)
            const_cast<TDispLEDDigit *>(Peer::Digit(panel, k))->installEventFilter(this);
        m_panel = &panel;
    }
    // Most significant first, as Shown: '1' for a digit painted once, '0' for one not painted.
    QString Painted() const
    {
        QString text;
        for (int k = m_panel->NumDigits() - 1; k >= 0; --k)
            text += QChar('0' + m_paints.value(Peer::Digit(*m_panel, k)));
        return text;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints[watched];
        return false;
    }

private:
    const TDispLEDPanel *m_panel = nullptr;
    QHash<const QObject *, int> m_paints;
};

struct TRepaintCase
{
    int from, to;
    const char *painted;
};

class LEDPanelRepaints : public LEDPanelTest, public ::testing::WithParamInterface<TRepaintCase>
{
};

// Before the new value is set, the changed digits have been painted, each once, and no other.
TEST_P(LEDPanelRepaints, OnlyTheChangedDigitsAtOnce)
{
    const TRepaintCase &c = GetParam();
    QWidget window;
    window.resize(100, 40);
    auto panel = Panel(3, 0, 999);
    panel->setParent(&window);
    panel->SetValue(c.from);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    TDigitPaints paints(*panel);
    panel->SetValue(c.to);
    EXPECT_EQ(paints.Painted(), QString::fromLatin1(c.painted));
}

INSTANTIATE_TEST_SUITE_P(Values, LEDPanelRepaints,
                         ::testing::Values(TRepaintCase{42, 43, "001"}, TRepaintCase{42, 52, "010"},
                                           TRepaintCase{42, 142, "100"}, TRepaintCase{42, 999, "111"},
                                           TRepaintCase{42, 42, "000"}));

struct TSizeCase
{
    int digits;
    TDispCustomLEDDigit::TDispLEDSize size;
    bool bevel;
    QSize panel;
};

class LEDPanelSize : public LEDPanelTest, public ::testing::WithParamInterface<TSizeCase>
{
};

TEST_P(LEDPanelSize, FollowsItsDigitsStripAndBevelWhateverIsAsked)
{
    const TSizeCase &c = GetParam();
    TDispLEDPanel panel;
    panel.SetDigitSize(c.size);
    panel.SetNumDigits(c.digits);
    if (!c.bevel)
        panel.Bevel()->SetBevelOuter(TDispBevel::bvNone);
    EXPECT_EQ(panel.size(), c.panel);
    panel.SetWidth(200);
    panel.SetHeight(3);
    EXPECT_EQ(panel.size(), c.panel) << "hidden";
    panel.show();
    panel.SetBounds(0, 0, 200, 3);
    EXPECT_EQ(panel.size(), c.panel);
    EXPECT_EQ(Peer::Digit(panel, c.digits - 1)->pos(), QPoint(c.bevel, c.bevel));
}

using D = TDispCustomLEDDigit;
INSTANTIATE_TEST_SUITE_P(
    Digits, LEDPanelSize,
    ::testing::Values(TSizeCase{3, D::ls08x13, false, {23, 13}}, TSizeCase{9, D::ls08x13, false, {71, 13}},
                      TSizeCase{5, D::ls08x13, false, {39, 13}}, TSizeCase{3, D::ls08x13, true, {25, 15}},
                      TSizeCase{2, D::ls18x25, false, {31, 23}}, TSizeCase{1, D::ls06x07, false, {4, 7}}));

TEST_F(LEDPanelTest, RaisesOnChangeOnlyForANewValueAndIgnoresDigitCountsOutOfRange)
{
    auto panel = Panel(3, 0, 100);
    int changes = 0;
    panel->OnChange = [&](QObject *) { ++changes; };
    panel->SetValue(42);
    panel->SetValue(42);
    panel->SetValue(420);
    panel->SetValue(100);
    EXPECT_EQ(changes, 2);
    panel->SetMaxValue(50);
    EXPECT_EQ(panel->Value(), 50);
    EXPECT_EQ(changes, 3);
    panel->SetNumDigits(0);
    panel->SetNumDigits(10);
    EXPECT_EQ(panel->NumDigits(), 3);
    panel->SetNumDigits(4);
    EXPECT_EQ(Shown(*panel), "0050");
}

TEST_F(LEDPanelTest, DisabledShowsEveryDigitUnlit)
{
    auto panel = Panel(3, 0, 100);
    panel->SetValue(87);
    panel->SetEnabled(false);
    EXPECT_EQ(Shown(*panel), "   ");
    panel->SetEnabled(true);
    EXPECT_EQ(Shown(*panel), "087");
}

TEST_F(LEDPanelTest, PanelsOfEqualLookShareStripsAndAColourChangeTakesItsOwn)
{
    auto first = Panel(3, -9, 100);
    auto second = Panel(2, 0, 100);
    TDigitCache &cache = TProcessState<TDigitCache>::Instance();
    // Strips are recoloured when first drawn, once for every look.
    EXPECT_TRUE(cache.IsEmpty());
    first->grab();
    second->grab();
    EXPECT_EQ(TTestPeer<TDigitCache>::Count(cache), 1);
    EXPECT_EQ(DigitPeer::Strip(*Peer::Digit(*first, 0)), DigitPeer::Strip(*Peer::Digit(*second, 1)));
    first->SetValue(-1);
    first->grab();
    EXPECT_EQ(TTestPeer<TDigitCache>::Count(cache), 2);
    EXPECT_NE(DigitPeer::Strip(*Peer::Digit(*first, 2)), DigitPeer::Strip(*Peer::Digit(*first, 1)));
    first->SetLEDColor(clRed);
    first->SetInactiveColor(clMaroon);
    EXPECT_EQ(TTestPeer<TDigitCache>::Count(cache), 1);
    first->SetInactiveColor(clGreen);
    first->grab();
    EXPECT_EQ(TTestPeer<TDigitCache>::Count(cache), 3);
    EXPECT_NE(DigitPeer::Strip(*Peer::Digit(*first, 0)), DigitPeer::Strip(*Peer::Digit(*second, 0)));
    EXPECT_EQ(DigitPeer::Strip(*Peer::Digit(*second, 0))->pixel(6 + 7, 3), QColor(0, 255, 0).rgb());
    EXPECT_EQ(DigitPeer::Strip(*Peer::Digit(*first, 0))->pixel(6 + 7, 3), QColor(255, 0, 0).rgb());
    first.reset();
    EXPECT_EQ(TTestPeer<TDigitCache>::Count(cache), 1);
    second.reset();
    EXPECT_TRUE(TProcessState<TDigitCache>::Instance().IsEmpty());
}

TEST_F(LEDPanelTest, PaintsLitSegmentsSolidAndUnlitOnesDottedInThePanelColours)
{
    auto panel = Panel(1, 0, 9);
    panel->Bevel()->SetBevelOuter(TDispBevel::bvNone);
    panel->SetValue(1);
    const QImage image = panel->grab().toImage();
    ASSERT_EQ(image.size(), QSize(7, 13));
    const QRgb lime = qRgb(0, 255, 0), green = qRgb(0, 128, 0), black = qRgb(0, 0, 0);
    for (int y = 1; y < 6; ++y) {
        EXPECT_EQ(image.pixel(6, y), lime) << y;
        EXPECT_EQ(image.pixel(0, y), y % 2 == 0 ? green : black) << y;
    }
    panel->SetDrawInactive(false);
    EXPECT_EQ(panel->grab().toImage().pixel(0, 2), black);
}

} // namespace
