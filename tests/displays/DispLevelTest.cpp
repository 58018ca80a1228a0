#include "displays/DispLevel.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include <QDir>
#include <QPaintEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"
#include "runtime/layout/ClassRegistry.h"
#include "runtime/layout/LayoutReader.h"
#include "tests/displays/DispLevelPeer.h"
#include "tests/displays/DispTickServicePeer.h"
#include "tests/displays/FakeDispTick.h"
#include "tests/runtime/layout/TestClasses.h"
#include "tests/runtime/layout/TestForm.h"

namespace {

using TLevelPeer = TTestPeer<TDispCustomLevel>;
using TSpotsPeer = TTestPeer<TDispLevelSpots>;
using TFilterPeer = TTestPeer<TDispDecayFilter>;
using TTickPeer = TTestPeer<TDispTickService>;

struct TLayoutCase
{
    const char *name;
    int length, point1, point2;
    int count, offset, p1, p2;
    int firstLeft, lastLeft;
};

void PrintTo(const TLayoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class LevelSpotLayout : public ::testing::TestWithParam<TLayoutCase>
{
};

TEST_P(LevelSpotLayout, CentresTheSpotsAndSplitsTheZones)
{
    const TLayoutCase &c = GetParam();
    TDispLevelSpots spots;
    spots.Recalc(c.length, 3, 2, c.point1, c.point2);
    EXPECT_EQ(spots.Count(), c.count);
    EXPECT_EQ(TSpotsPeer::Offset(spots), c.offset);
    EXPECT_EQ(TSpotsPeer::Point1(spots), c.p1);
    EXPECT_EQ(TSpotsPeer::Point2(spots), c.p2);
    EXPECT_EQ(spots.Spot(1, false, false, c.length, 11), QRect(c.firstLeft, 0, 3, 11));
    EXPECT_EQ(spots.Spot(c.count, false, false, c.length, 11), QRect(c.lastLeft, 0, 3, 11));
    // Reversed and vertical layouts mirror the same positions.
    EXPECT_EQ(spots.Spot(1, false, true, c.length, 11), QRect(c.length - c.firstLeft - 3, 0, 3, 11));
    EXPECT_EQ(spots.Spot(1, true, false, 11, c.length), QRect(0, c.length - c.firstLeft - 3, 11, 3));
    EXPECT_EQ(spots.Spot(1, true, true, 11, c.length), QRect(0, c.firstLeft, 11, 3));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, LevelSpotLayout,
                         ::testing::Values(TLayoutCase{"CPU", 257, 50, 85, 51, 2, 25, 43, 2, 252},
                                           TLayoutCase{"NCP", 209, 100, 100, 42, 0, 42, 42, 0, 205},
                                           TLayoutCase{"TooShort", 2, 50, 85, 1, 0, 0, 0, 0, 0}));

struct TScaleCase
{
    int count;
    bool logAmp;
    std::vector<int> lit;
};

void PrintTo(const TScaleCase &c, std::ostream *os)
{
    *os << c.count << " spots, " << (c.logAmp ? "decibels" : "linear");
}

class LevelScale : public ::testing::TestWithParam<TScaleCase>
{
};

// Percentages 0, 1, 2, 3, 10, 25, 50, 75, 90, 100 at unity gain and -35 dB.
TEST_P(LevelScale, LightsTheTabledSpotsAndReadsBackNearTheInput)
{
    const TScaleCase &c = GetParam();
    TDispLevelSpots spots;
    spots.Recalc(c.count * 5 - 2, 3, 2, 50, 85);
    ASSERT_EQ(spots.Count(), c.count);
    const std::vector<int> percents = {0, 1, 2, 3, 10, 25, 50, 75, 90, 100};
    std::vector<int> lit;
    for (int percent : percents)
        lit.push_back(spots.Lit(TDispLevelSpots::Amplitude(percent), c.logAmp, -35));
    EXPECT_EQ(lit, c.lit);
    EXPECT_EQ(spots.Percent(0, c.logAmp, -35, 8), 0);
    EXPECT_EQ(spots.Percent(c.count, c.logAmp, -35, 8), 100);
    EXPECT_EQ(spots.Percent(c.count, c.logAmp, -35, 16), c.logAmp ? 50 : 100);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, LevelScale,
    ::testing::Values(TScaleCase{51, true, {0, 0, 1, 7, 22, 33, 42, 47, 50, 51}},
                      TScaleCase{42, true, {0, 0, 1, 5, 18, 28, 35, 39, 41, 42}},
                      TScaleCase{51, false, {0, 0, 0, 1, 4, 12, 25, 38, 46, 51}}));

struct TFactorCase
{
    int decay;
    float factor;
    int ringLength;
};

void PrintTo(const TFactorCase &c, std::ostream *os)
{
    *os << "decay " << c.decay;
}

class DecayFactor : public ::testing::TestWithParam<TFactorCase>
{
};

TEST_P(DecayFactor, FollowsFromTheStrength)
{
    TDispDecayFilter filter;
    filter.SetDecay(GetParam().decay);
    EXPECT_NEAR(TFilterPeer::Factor(filter), GetParam().factor, 0.000005);
    EXPECT_EQ(TFilterPeer::RingLength(filter), GetParam().ringLength);
}

INSTANTIATE_TEST_SUITE_P(Table, DecayFactor,
                         ::testing::Values(TFactorCase{1, 0.01f, 1}, TFactorCase{2, 0.1f, 2},
                                           TFactorCase{3, 0.31623f, 4}, TFactorCase{4, 0.56234f, 6},
                                           TFactorCase{8, 0.96466f, 14}, TFactorCase{16, 0.99986f, 30}));

struct TFilterCase
{
    const char *name;
    int (TDispDecayFilter::*filter)(int);
    int decay;
    std::vector<int> inputs;
    std::vector<int> outputs;
};

void PrintTo(const TFilterCase &c, std::ostream *os)
{
    *os << c.name;
}

class DecayFilter : public ::testing::TestWithParam<TFilterCase>
{
};

TEST_P(DecayFilter, ShapesASequence)
{
    const TFilterCase &c = GetParam();
    TDispDecayFilter filter;
    if (c.decay > 0)
        filter.SetDecay(c.decay);
    std::vector<int> outputs;
    for (int input : c.inputs)
        outputs.push_back((filter.*c.filter)(input));
    EXPECT_EQ(outputs, c.outputs);
    filter.Clear();
    EXPECT_EQ((filter.*c.filter)(0), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DecayFilter,
    ::testing::Values(
        TFilterCase{"StepUpHoldsThenSinks", &TDispDecayFilter::StepUp, 2, {1000, 0, 0, 500}, {1000, 100, 10, 500}},
        TFilterCase{"ExponentialFollows", &TDispDecayFilter::Exponential, 2, {1000, 1000, 0}, {900, 990, 99}},
        TFilterCase{"ExponentialUnassignedIsAlmostExact", &TDispDecayFilter::Exponential, 0, {1000, 20000}, {999, 19998}},
        TFilterCase{"UniformAveragesTheRing", &TDispDecayFilter::Uniform, 2, {100, 300, 500, 0}, {100, 200, 400, 250}},
        TFilterCase{"UniformAveragesWhatItHas", &TDispDecayFilter::Uniform, 3, {400, 0, 200, 200, 200}, {400, 200, 200, 200, 150}}));

// Palette indices of the colours the main window's meters use.
constexpr uint8_t kBlack = 0, kMaroon = 1, kTeal = 6, kRed = 249, kLime = 250;

// A meter set up as the main window's CPU meter (or, with both points at 100, its NCP meter), on a shown
// parent, with ticks delivered by hand.
class LevelMeterTest : public ::testing::Test
{
protected:
    LevelMeterTest()
    {
        parent.resize(400, 300);
        parent.show();
        // Immediate redraws reach only a window that the platform has exposed.
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&parent));
        meter.Bevel()->SetBevelOuter(TDispBevel::bvNone);
        meter.SetBounds(56, 3, 257, 11);
        meter.SetSpotSpace(2);
        meter.SetSpotWidth(3);
        meter.SetBar1Color(clLime);
        meter.SetBar2Color(clLime);
        meter.OnPaint = [this](QObject *) { ++paints; };
    }
    ~LevelMeterTest() override { ProcessState::ResetAll(); }

    // The palette index at the middle of a spot of an image, or at column x when spot is 0.
    static uint8_t At(const TDispDIBCanvas &image, int x, int y = 5)
    {
        return image.Bits()[(image.ImageHeight() - 1 - y) * image.RowLength() + x];
    }
    uint8_t Spot(const TDispDIBCanvas &image, int spot) const
    {
        return At(image, TLevelPeer::Spots(meter).Spot(spot, false, false, 257, 11).left() + 1);
    }

    TFakeDispTick ticks;
    TAdapterOverride<TDispTickService> tickOverride{ticks};
    QWidget parent;
    TDispLevel meter{&parent};
    int paints = 0;
};

TEST_F(LevelMeterTest, TheCpuMeterLaysItsUnlitSpotsOutInTwoZonesCentred)
{
    const TDispDIBCanvas &background = TLevelPeer::Background(meter);
    const std::vector<uint8_t> columns = {At(background, 1), At(background, 2), At(background, 4),
                                          At(background, 5), At(background, 214), At(background, 217),
                                          At(background, 254), At(background, 255)};
    EXPECT_EQ(columns, std::vector<uint8_t>({kBlack, kTeal, kTeal, kBlack, kTeal, kMaroon, kMaroon, kBlack}));
    meter.SetPoint1(100);
    meter.SetPoint2(100);
    meter.SetWidth(209);
    EXPECT_EQ(TLevelPeer::Spots(meter).Count(), 42);
    EXPECT_EQ(At(TLevelPeer::Background(meter), 207), kTeal);
}

struct TLitCase
{
    int value;
    int lit;
};

void PrintTo(const TLitCase &c, std::ostream *os)
{
    *os << "value " << c.value << " lights " << c.lit;
}

class LevelMeterLights : public LevelMeterTest, public ::testing::WithParamInterface<TLitCase>
{
};

TEST_P(LevelMeterLights, UpToTheLevelAtOnceInTheColourOfEachZone)
{
    const TLitCase &c = GetParam();
    meter.SetValue(c.value);
    EXPECT_EQ(meter.Bar(), c.lit);
    const TDispDIBCanvas &bar = *meter.DIB();
    if (c.lit > 0) {
        EXPECT_EQ(Spot(bar, c.lit), c.lit > 43 ? kRed : kLime);
    }
    if (c.lit > 0 && c.lit < 51) {
        EXPECT_EQ(Spot(bar, c.lit + 1), c.lit + 1 > 43 ? kMaroon : kTeal);
    }
    EXPECT_EQ(paints, c.lit > 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Values, LevelMeterLights,
                         ::testing::Values(TLitCase{-5, 0}, TLitCase{1, 0}, TLitCase{2, 1}, TLitCase{3, 7},
                                           TLitCase{25, 33}, TLitCase{50, 42}, TLitCase{90, 50},
                                           TLitCase{100, 51}, TLitCase{150, 51}));

// From one value to the next, after some ticks: the screen gets the box round the pixels that change, no more.
struct TRepaintCase
{
    const char *name;
    int from, ticks, to;
};

void PrintTo(const TRepaintCase &c, std::ostream *os)
{
    *os << c.name;
}

// Gathers the regions a widget is painted in.
class TPaintSpy : public QObject
{
public:
    explicit TPaintSpy(QWidget *widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

class LevelMeterRepaints : public LevelMeterTest, public ::testing::WithParamInterface<TRepaintCase>
{
};

TEST_P(LevelMeterRepaints, OnlyTheBoxOfTheSpotsThatChange)
{
    const TRepaintCase &c = GetParam();
    meter.SetValue(c.from);
    for (int i = 0; i < c.ticks; ++i)
        ticks.Tick();
    const TDispDIBCanvas &image = *meter.DIB();
    const std::vector<uint8_t> before(image.Bits(), image.Bits() + image.RowLength() * image.ImageHeight());
    TPaintSpy spy(&meter);
    meter.SetValue(c.to);
    const QRegion &painted = spy.painted;
    QRect changed;
    for (int y = 0; y < image.ImageHeight(); ++y)
        for (int x = 0; x < image.ImageWidth(); ++x)
            if (At(image, x, y) != before[(image.ImageHeight() - 1 - y) * image.RowLength() + x])
                changed |= QRect(x, y, 1, 1);
    EXPECT_EQ(painted, QRegion(changed));
}

INSTANTIATE_TEST_SUITE_P(Steps, LevelMeterRepaints,
                         ::testing::Values(TRepaintCase{"Rise", 3, 0, 25}, TRepaintCase{"FallBelowThePeak", 50, 0, 25},
                                           TRepaintCase{"ToNothing", 100, 0, 0},
                                           TRepaintCase{"AfterThePeakLeft", 90, 41, 50},
                                           TRepaintCase{"Unchanged", 25, 0, 25}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LevelMeterTest, APeakIsHeldFor41TicksThenLeavesAtTheNextUpdate)
{
    meter.SetValue(90);
    EXPECT_EQ(TLevelPeer::Peak(meter), 50);
    EXPECT_EQ(Spot(*meter.DIB(), 50), kRed);
    meter.SetValue(50);
    // The marker stands alone above the bar, in its zone's colour.
    EXPECT_EQ(Spot(*meter.DIB(), 49), kMaroon);
    EXPECT_EQ(Spot(*meter.DIB(), 50), kRed);
    for (int i = 0; i < 40; ++i)
        ticks.Tick();
    EXPECT_EQ(TLevelPeer::Peak(meter), 50);
    EXPECT_FALSE(TLevelPeer::RedrawPending(meter));
    ticks.Tick();
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
    EXPECT_TRUE(TLevelPeer::RedrawPending(meter));
    EXPECT_EQ(Spot(*meter.DIB(), 50), kRed);
    const int before = paints;
    meter.SetValue(50);
    EXPECT_EQ(paints, before + 1);
    EXPECT_EQ(Spot(*meter.DIB(), 50), kMaroon);
}

// Ticks cost nothing while no meter shows a peak, and a held peak needs a tick only when it falls.
TEST_F(LevelMeterTest, AMeterWithoutAPeakRestsUntilItsNextNewPeak)
{
    ticks.Tick();
    EXPECT_TRUE(TTickPeer::Idle(ticks));
    const int added = ticks.wakes;
    meter.SetValue(50);
    EXPECT_EQ(ticks.wakes, added + 1);
    meter.SetValue(25);
    EXPECT_EQ(ticks.wakes, added + 1);
    ticks.Tick();
    // Nothing happens to the held peak before it falls, so the meter asks to be left alone until then.
    EXPECT_EQ(ticks.TicksUntilDue(), 40);
    ticks.Tick(39);
    EXPECT_FALSE(TTickPeer::Idle(ticks));
    ticks.Tick();
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
    EXPECT_TRUE(TTickPeer::Idle(ticks));
    meter.SetValue(25);
    EXPECT_EQ(ticks.wakes, added + 2);
    EXPECT_FALSE(TTickPeer::Idle(ticks));
}

TEST_F(LevelMeterTest, WithASpeedThePeakFallsOneSpotEverySoManyTicks)
{
    meter.SetPeakDelay(0);
    meter.SetPeakSpeed(2);
    meter.SetNumPeaks(3);
    meter.SetValue(100);
    meter.SetValue(3);
    std::vector<int> peaks;
    for (int i = 0; i < 5; ++i) {
        ticks.Tick();
        peaks.push_back(TLevelPeer::Peak(meter));
    }
    EXPECT_EQ(peaks, std::vector<int>({50, 50, 49, 49, 48}));
    meter.SetValue(3);
    const std::vector<uint8_t> marker = {Spot(*meter.DIB(), 45), Spot(*meter.DIB(), 46), Spot(*meter.DIB(), 48),
                                         Spot(*meter.DIB(), 49)};
    EXPECT_EQ(marker, std::vector<uint8_t>({kMaroon, kRed, kRed, kMaroon}));
}

TEST_F(LevelMeterTest, GainBeyondFullScaleOverflowsAndLightsEverySpot)
{
    int overflows = 0;
    meter.OnGainOverflow = [&overflows](QObject *) { ++overflows; };
    meter.SetGain(40);
    meter.SetGain(8);
    EXPECT_EQ(meter.Gain(), 8);
    meter.SetValue(100);
    EXPECT_EQ(overflows, 1);
    EXPECT_EQ(meter.Bar(), 51);
    EXPECT_EQ(meter.Value(), 50);
}

TEST_F(LevelMeterTest, AnOwnBarPainterDrawsInsteadOfTheSpots)
{
    QRect drawnRect;
    int drawnBar = -1, drawnPeak = -1;
    TLevelPeer::SetOnDrawBar(meter, [&](QObject *, TDispDIBCanvas *dib, QRect rect, int bar, int peak) {
        dib->SelectColor(clWhite);
        dib->ClearSurface();
        std::tie(drawnRect, drawnBar, drawnPeak) = std::tuple(rect, bar, peak);
    });
    meter.SetValue(100);
    meter.SetValue(50);
    EXPECT_EQ(drawnRect, QRect(0, 0, 257, 11));
    EXPECT_EQ(std::pair(drawnBar, drawnPeak), std::pair(42, 51));
    EXPECT_EQ(Spot(*meter.DIB(), 1), 255);
    meter.SetInactive1Color(clRed);
    EXPECT_EQ(Spot(TLevelPeer::Background(meter), 1), kTeal);
    TLevelPeer::SetOnDrawBar(meter, nullptr);
    EXPECT_EQ(Spot(TLevelPeer::Background(meter), 1), kRed);
}

TEST_F(LevelMeterTest, FewerSpotsRecentreAndClearBarAndPeak)
{
    meter.SetValue(100);
    meter.SetWidth(250);
    EXPECT_EQ(TLevelPeer::Spots(meter).Count(), 50);
    EXPECT_EQ(TSpotsPeer::Offset(TLevelPeer::Spots(meter)), 1);
    EXPECT_EQ(meter.Bar(), 0);
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
    meter.SetWidth(1);
    EXPECT_EQ(meter.Width(), 2);
}

TEST_F(LevelMeterTest, AVerticalMeterSwapsItsSidesAndLightsFromTheBottom)
{
    meter.SetBounds(0, 0, 200, 17);
    meter.SetKind(TDispCustomLevel::lkVertical);
    EXPECT_EQ(meter.Width(), 17);
    EXPECT_EQ(meter.Height(), 200);
    meter.SetValue(100);
    meter.SetValue(2);
    const TDispDIBCanvas &bar = *meter.DIB();
    const QRect first = TLevelPeer::Spots(meter).Spot(1, true, false, 17, 200);
    EXPECT_GT(first.top(), 190);
    EXPECT_EQ(At(bar, 8, first.top()), kLime);
    EXPECT_EQ(At(bar, 8, first.top() - 5), kTeal);
}

TEST_F(LevelMeterTest, DisablingClearsAndStopsTheFallWhichResumesWhenEnabledWithAPeak)
{
    meter.SetValue(100);
    meter.SetEnabled(false);
    EXPECT_EQ(meter.Bar(), 0);
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
    meter.SetNumPeaks(0);
    meter.SetNumPeaks(1);
    meter.SetEnabled(true);
    meter.SetPeakDelay(0);
    meter.SetValue(100);
    ticks.Tick();
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
    meter.SetNumPeaks(0);
    meter.SetValue(100);
    EXPECT_EQ(TLevelPeer::Peak(meter), 0);
}

TEST_F(LevelMeterTest, AStoredMeterDrawsItsSpotsAndNeverStoresItsValue)
{
    RegisterTestClasses();
    TClassRegistry::Instance().RegisterClass<TDispLevel>();
    TTestForm form;
    form.resize(320, 40);
    ReadLayout(&form, "object F: TTestForm\n"
                      "  object LEVCPU: TDispLevel\n    Left = 56\n    Top = 3\n    Width = 257\n"
                      "    Height = 11\n    Bevel.BevelOuter = bvNone\n    SpotSpace = 2\n    SpotWidth = 3\n"
                      "    Bar1Color = clLime\n    Bar2Color = clLime\n    DecayMode = dmExponential\n"
                      "    Samples = 20\n  end\nend\n");
    auto *stored = form.findChild<TDispLevel *>("LEVCPU");
    ASSERT_TRUE(stored);
    EXPECT_EQ(TLevelPeer::BlockSize(*stored), 20);
    EXPECT_FALSE(stored->StoresProperty("Value"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    stored->SetValue(90);
    const QImage image = form.grab().toImage();
    image.save(QDir(QCoreApplication::applicationDirPath()).filePath("level-meters.png"));
    EXPECT_EQ(image.pixel(56 + 2, 8), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(56 + 252, 8), qRgb(128, 0, 0));
    EXPECT_EQ(image.pixel(56 + 247, 8), qRgb(255, 0, 0));
}

// A hidden meter hears of its size only when it is shown, after its geometry ran.
TEST(LevelMeterFrame, AFramedMeterSizedWhileHiddenDrawsItsUnlitSpots)
{
    TFakeDispTick ticks;
    TAdapterOverride<TDispTickService> tickOverride{ticks};
    QWidget parent;
    TDispLevel meter(&parent);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const QImage image = meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    EXPECT_GT(std::count(pixels, pixels + image.width() * image.height(), qRgb(0, 128, 128)), 0);
    ProcessState::ResetAll();
}

// The platform's tick runs on its own thread while the GUI writes values: the fall reaches the meter.
TEST(LevelMeterThreads, ThePeakFallsOnThePlatformTickWhileValuesArrive)
{
    QWidget parent;
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    {
        TDispLevel meter(&parent);
        meter.SetPeakDelay(0);
        meter.SetValue(100);
        const int top = TLevelPeer::Peak(meter);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                meter.SetValue(10);
                return TLevelPeer::Peak(meter) < top;
            },
            20000));
    }
    ProcessState::ResetAll();
}

} // namespace
