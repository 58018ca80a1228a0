#include "displays/chart/Chart.h"

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "displays/chart/BarSeries.h"
#include "displays/chart/ChartExceptions.h"
#include "displays/chart/ValueFormat.h"
#include "runtime/Numeric.h"
#include "runtime/layout/LayoutError.h"
#include "runtime/layout/LayoutReader.h"
#include "tests/displays/chart/ChartLayouts.h"
#include "tests/displays/chart/ChartPeer.h"

namespace {

using BarPeer = TTestPeer<TCustomBarSeries>;

constexpr QRgb kLime = 0xFF00FF00;
constexpr QRgb kGreen = 0xFF008000;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

class ChartTest : public ::testing::Test
{
protected:
    TChart &Chart(const char *name) { return *form->findChild<TChart *>(name); }
    TBarSeries &Bars(TChart &chart) { return *static_cast<TBarSeries *>(chart.Series(0)); }

    void Fill(TChart &chart, const std::vector<double> &values)
    {
        for (double value : values)
            chart.Series(0)->AppendY(value, QString(), value < 25 ? clGreen : clLime);
    }

    static std::vector<double> Repeat(int count, double value)
    {
        return std::vector<double>(size_t(count), value);
    }

    // Rows of the picture that hold a pixel of that colour inside the plot's columns.
    static std::vector<int> RowsOf(TChart &chart, QRgb color)
    {
        const QImage &picture = chart.Picture();
        std::vector<int> rows;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = chart.Plot().left; x < chart.Plot().right; ++x)
                if (picture.pixel(x, y) == color) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }

    static void Send(TChart &chart, QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, chart.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }

    static void Drag(TChart &chart, Qt::MouseButton button, QPoint from, std::vector<QPoint> through)
    {
        Send(chart, QEvent::MouseButtonPress, button, from);
        for (const QPoint &point : through)
            Send(chart, QEvent::MouseMove, button, point);
        Send(chart, QEvent::MouseButtonRelease, button, through.back());
    }

    std::unique_ptr<TTestForm> form = ChartLayouts::LoadBoth();
};

struct TRangeCase
{
    const char *chart;
    std::vector<double> values;
    double bottomMinimum;
    double bottomMaximum;
    double leftMinimum;
    double leftMaximum;
};

class ChartRanges : public ChartTest, public ::testing::WithParamInterface<TRangeCase>
{
};

TEST_P(ChartRanges, FollowTheFillingSeries)
{
    const TRangeCase &c = GetParam();
    TChart &chart = Chart(c.chart);
    Fill(chart, c.values);
    chart.Picture();
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), c.bottomMinimum);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), c.bottomMaximum);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->IMinimum(), c.leftMinimum);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->IMaximum(), c.leftMaximum);
}

INSTANTIATE_TEST_SUITE_P(Pages, ChartRanges,
                         ::testing::Values(TRangeCase{"CCPU", {}, 0, 0, 0, 100},
                                           TRangeCase{"CCPU", {50}, 0, 0, 0, 100},
                                           TRangeCase{"CCPU", {50, 60}, 0, 15, 0, 100},
                                           TRangeCase{"CCPU", std::vector<double>(30, 40.0), 0, 29, 0, 100},
                                           TRangeCase{"CCPU", std::vector<double>(31, 40.0), 0, 29, 0, 100},
                                           TRangeCase{"CNCP", {}, 0, 0, 0, 100},
                                           TRangeCase{"CNCP", {40, 70, 30}, 0, 20, 70, 100},
                                           TRangeCase{"CNCP", {40, 350}, 0, 15, 100, 350}));

struct TLabelCase
{
    const char *chart;
    std::vector<double> values;
    QStringList labels;
    bool roundFirstLabel = true;
};

class ChartLabels : public ChartTest, public ::testing::WithParamInterface<TLabelCase>
{
};

TEST_P(ChartLabels, StepDownFromTheRoundedMaximum)
{
    const TLabelCase &c = GetParam();
    TChart &chart = Chart(c.chart);
    QStringList drawn;
    chart.OnGetAxisLabel = [&](QObject *, TChartAxis *, QString &text) { drawn << text; };
    chart.LeftAxis()->SetRoundFirstLabel(c.roundFirstLabel);
    Fill(chart, c.values);
    chart.Picture();
    EXPECT_EQ(drawn, c.labels);
}

INSTANTIATE_TEST_SUITE_P(Values, ChartLabels,
                         ::testing::Values(TLabelCase{"CCPU", {}, {"100", "75", "50", "25", "0"}},
                                           TLabelCase{"CCPU", {3, 99}, {"100", "75", "50", "25", "0"}},
                                           TLabelCase{"CNCP", {}, {"50"}},
                                           TLabelCase{"CNCP", {40, 70, 30}, {"90", "80"}},
                                           TLabelCase{"CNCP", {400}, {"300", "200"}},
                                           TLabelCase{"CNCP", {1500.5}, {"1,500", "1,000", "500"}},
                                           TLabelCase{"CNCP", {1500.5}, {"1,000.5", "500.5"}, false}));

struct TFormatCase
{
    double value;
    const char *picture;
    const char *text;
};

using ValueFormats = ::testing::TestWithParam<TFormatCase>;

TEST_P(ValueFormats, RoundToTheDecimalsAndGroupTheThousands)
{
    EXPECT_EQ(FormatValue(GetParam().value, GetParam().picture), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ValueFormats,
    ::testing::Values(TFormatCase{0.5, "#,##0.###", "0.5"}, TFormatCase{2.25, "#,##0.###", "2.25"},
                      TFormatCase{12.3456, "#,##0.###", "12.346"}, TFormatCase{-1.5, "#,##0.###", "-1.5"},
                      TFormatCase{0.0001, "#,##0.###", "0"}, TFormatCase{1234.5678, "#,##0.###", "1,234.568"},
                      TFormatCase{1e9, "#,##0.###", "1,000,000,000"},
                      TFormatCase{-1234567, "#,##0.###", "-1,234,567"},
                      TFormatCase{1e20, "#,##0.###", "100,000,000,000,000,000,000"},
                      TFormatCase{3, "0.00", "3.00"}, TFormatCase{1234, "0", "1234"}));

TEST_F(ChartTest, CpuLabelsSitOnTheirGridRows)
{
    TChart &chart = Chart("CCPU");
    const QImage &picture = chart.Picture();
    const TChart::TPlot plot = chart.Plot();
    EXPECT_EQ(plot.top, 7);
    EXPECT_EQ(plot.bottom, 65);
    EXPECT_EQ(plot.right, 257);
    for (int value : {0, 25, 50, 75, 100}) {
        const int row = plot.bottom - int(Round(58.0 * value / 100));
        bool lime = false;
        for (int y = std::max(0, row - 6); y <= row + 6; ++y)
            for (int x = 0; x < plot.left; ++x)
                lime = lime || picture.pixel(x, y) == kLime;
        EXPECT_TRUE(lime) << "label " << value;
        const bool grid = value != 0 && value != 100;
        EXPECT_EQ(picture.pixel(plot.left + 1, row), grid ? kGrey : kBlack) << value;
        EXPECT_EQ(picture.pixel(plot.left + 2, row), kBlack) << "dotted at " << value;
    }
    EXPECT_EQ(RowsOf(chart, kGrey), (std::vector<int>{21, 36, 51}));
    // The top axis, unlabelled, marks its values on its own; the left axis's marks belong to its labels.
    chart.TopAxis()->SetVisible(false);
    chart.Series(0)->SetParentChart(nullptr);
    EXPECT_EQ(RowsOf(chart, kGrey), std::vector<int>{}) << "no series, so no labels and no grid lines";
}

struct TStepCase
{
    double step;
    double next;
};

class LabelStepLadder : public ::testing::TestWithParam<TStepCase>
{
};

TEST_P(LabelStepLadder, ClimbsToTheNextRoundStep)
{
    EXPECT_DOUBLE_EQ(TTestPeer<TChartAxis>::NextStep(GetParam().step), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Steps, LabelStepLadder,
                         ::testing::Values(TStepCase{0.00001, 0.00002}, TStepCase{0.5, 1}, TStepCase{1, 2},
                                           TStepCase{2, 5}, TStepCase{4.5, 5}, TStepCase{5, 10},
                                           TStepCase{10, 50}, TStepCase{50, 100}, TStepCase{100, 200},
                                           TStepCase{200, 500}, TStepCase{500, 1000}, TStepCase{1000, 5000},
                                           TStepCase{5000, 10000}, TStepCase{7, 14}));

// Twenty-five points, ten or twenty to a page.
TEST(ChartPages, CountRoundedUpAndKeepThePageAmongThem)
{
    TChart chart;
    auto *series = new TBarSeries(&chart);
    series->SetParentChart(&chart);
    for (int i = 0; i < 25; ++i)
        series->AppendY(i);
    EXPECT_EQ(chart.PageCount(), 1) << "without paging";
    chart.SetMaxPointsPerPage(10);
    EXPECT_EQ(chart.PageCount(), 3);
    int changes = 0;
    chart.OnPageChange = [&](QObject *) { ++changes; };
    chart.SetPage(9);
    chart.SetPage(3);
    EXPECT_EQ(chart.Page(), 3);
    EXPECT_EQ(changes, 1);
    const auto limits = [&chart](const TChartAxis *axis) {
        const TChart::TLimits limits = TTestPeer<TChart>::AutomaticLimits(chart, *axis);
        return std::pair(limits.minimum, limits.maximum);
    };
    EXPECT_EQ(limits(chart.BottomAxis()), std::pair(20.0, 24.0));
    chart.SetScaleLastPage(false);
    EXPECT_EQ(limits(chart.BottomAxis()), std::pair(20.0, 28.0)) << "five points spaced as ten";
    EXPECT_EQ(limits(chart.LeftAxis()), std::pair(0.0, 24.0)) << "the values are not paged";
    chart.SetMaxPointsPerPage(20);
    EXPECT_EQ(chart.Page(), 2);
    EXPECT_EQ(changes, 2);
    chart.SetScaleLastPage(true);
    for (int i = 0; i < 10; ++i)
        series->DeletePoint(0);
    EXPECT_EQ(limits(chart.BottomAxis()), std::pair(10.0, 24.0)) << "page 2 now lies past the points";
    chart.SetPage(0);
    EXPECT_EQ(chart.Page(), 1);
    EXPECT_EQ(changes, 3);
}

TEST_F(ChartTest, TheStepClimbsUntilTheLabelsFit)
{
    TChart &chart = Chart("CNCP");
    Fill(chart, {1000});
    chart.Picture();
    // 900 over 58 pixels with 14-pixel labels: four steps at most, and Round(4.5) is 4.
    EXPECT_DOUBLE_EQ(TTestPeer<TChartAxis>::LabelStep(*chart.LeftAxis()), 200);
}

TEST_F(ChartTest, BarsAreSeventyPercentOfAThirtyFirstOfThePlot)
{
    TChart &chart = Chart("CCPU");
    // On white the black outline shows.
    chart.SetColor(clWhite);
    Fill(chart, Repeat(30, 100));
    chart.Series(0)->SetPointColor(7, ColorNone);
    const QImage &picture = chart.Picture();
    const TChart::TPlot plot = chart.Plot();
    const TChartAxis &bottom = *chart.BottomAxis();
    const int width = int(Round(plot.Width() * 0.7 / 31));
    ASSERT_EQ(BarPeer::BarWidth(Bars(chart)), width);
    for (int i : {0, 14, 29}) {
        const int x = plot.left + int(Round(plot.Width() * (i - bottom.IMinimum()) / bottom.IRange()));
        const QRect bar = BarPeer::BarBounds(Bars(chart), i);
        EXPECT_EQ(bar, QRect(x + int(Round(-width / 2.0)), plot.top, width, plot.Height())) << i;
        EXPECT_EQ(picture.pixel(bar.left() + width / 2, 30), kLime) << i;
        EXPECT_EQ(picture.pixel(bar.left(), 30), kBlack) << "outline of " << i;
        EXPECT_EQ(picture.pixel(bar.left() + width - 1, 30), kBlack) << "outline of " << i;
        EXPECT_EQ(picture.pixel(bar.left() + width, 30), kWhite) << "beside " << i;
    }
    const QRect none = BarPeer::BarBounds(Bars(chart), 7);
    for (int x = none.left(); x < none.left() + width; ++x)
        EXPECT_EQ(picture.pixel(x, 30), kWhite) << "a point coloured none has no bar, at " << x;
    EXPECT_GT(BarPeer::BarBounds(Bars(chart), 0).left(), plot.left) << "the first bar fits inside the plot";
    EXPECT_LT(BarPeer::BarBounds(Bars(chart), 29).right(), plot.right);
}

TEST_F(ChartTest, OneBarStandsCentred)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, {60});
    chart.Picture();
    const int width = BarPeer::BarWidth(Bars(chart));
    EXPECT_EQ(width, int(Round(chart.Plot().Width() * 0.7 / 31)));
    EXPECT_EQ(BarPeer::BarBounds(Bars(chart), 0).left(), chart.Plot().CentreX() + int(Round(-width / 2.0)));
}

TEST_F(ChartTest, TheThirtyFirstPointWaitsOffThePage)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(31, 50));
    chart.Picture();
    EXPECT_EQ(Bars(chart).FirstValueIndex(), 0);
    EXPECT_EQ(Bars(chart).LastValueIndex(), 29);
}

TEST_F(ChartTest, QuietSamplesAreClippedAtThePlotBottom)
{
    TChart &cpu = Chart("CCPU");
    TChart &ncp = Chart("CNCP");
    for (int i = 0; i < 5; ++i) {
        ChartLayouts::SamplerStep(cpu, 2, 10);
        ChartLayouts::SamplerStep(ncp, 3, 25);
    }
    EXPECT_TRUE(RowsOf(ncp, kGreen).empty()) << "a 25 below the minimum of 100 shows nothing";
    const std::vector<int> rows = RowsOf(cpu, kGreen);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 60) << "the outline takes row 59";
    EXPECT_EQ(rows.back(), 63) << "the clip leaves out the plot's last row";
}

// Bars beyond the plot on every side: the clip leaves out the plot's first row and column and its last row.
TEST_F(ChartTest, BarsAreCutAtTheClipEdges)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(30, 150));
    Bars(chart).SetYOrigin(-50);
    for (int offset : {100, -100}) {
        Bars(chart).SetOffsetPercent(offset);
        const QImage &picture = chart.Picture();
        const TChart::TPlot plot = chart.Plot();
        QRect lime;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = plot.left; x < picture.width(); ++x)
                if (picture.pixel(x, y) == kLime)
                    lime |= QRect(x, y, 1, 1);
        EXPECT_EQ(lime.top(), plot.top + 1);
        EXPECT_EQ(lime.bottom(), plot.bottom - 2);
        if (offset > 0) {
            ASSERT_GE(BarPeer::BarBounds(Bars(chart), 29).right(), plot.right);
            EXPECT_EQ(lime.right(), plot.right - 1);
        } else {
            ASSERT_LT(BarPeer::BarBounds(Bars(chart), 0).left(), plot.left);
            EXPECT_EQ(lime.left(), plot.left + 1);
        }
    }
}

TEST_F(ChartTest, AZeroBarWidthDrawsLines)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(30, 50));
    // Narrow the chart until the plot is 22 pixels wide or less.
    for (int width = 80; width > 40 && (chart.Picture(), BarPeer::BarWidth(Bars(chart)) != 0); --width)
        chart.SetWidth(width);
    const QImage &picture = chart.Picture();
    ASSERT_EQ(BarPeer::BarWidth(Bars(chart)), 0) << "plot width " << chart.Plot().Width();
    const QRect bar = BarPeer::BarBounds(Bars(chart), 15);
    EXPECT_EQ(bar.width(), 0);
    EXPECT_EQ(picture.pixel(bar.left(), 50), kLime) << "a line from the value to the origin";
    EXPECT_EQ(picture.pixel(bar.left(), bar.top() - 2), kBlack);
}

TEST_F(ChartTest, AnUnchangedChartOnlyCopiesItsPicture)
{
    TChart &chart = Chart("CCPU");
    Chart("CNCP").hide();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_FALSE(chart.Dirty()) << "the first paint drew the chart";
    int draws = 0;
    chart.OnAfterDraw = [&](QObject *) { ++draws; };
    chart.repaint();
    EXPECT_EQ(draws, 0);
    chart.Series(0)->AppendY(20);
    chart.Series(0)->DeletePoint(0);
    EXPECT_TRUE(chart.Dirty());
    chart.repaint();
    chart.repaint();
    EXPECT_EQ(draws, 1);
}

TEST_F(ChartTest, BadValuesNeitherHangNorPoisonThePicture)
{
    TChart &chart = Chart("CNCP");
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (double bad : {std::nan(""), kInf, -kInf})
        EXPECT_EQ(chart.Series(0)->AppendY(bad), -1);
    EXPECT_EQ(chart.Series(0)->PointCount(), 0);
    Fill(chart, {1e308, -1e308, 5});
    QStringList drawn;
    chart.OnGetAxisLabel = [&](QObject *, TChartAxis *, QString &text) { drawn << text; };
    chart.Picture();
    EXPECT_LE(drawn.size(), 5);
    EXPECT_TRUE(std::isfinite(chart.LeftAxis()->IRange()));
    chart.resize(0, 0);
    chart.Picture();
    chart.resize(3, 2);
    EXPECT_EQ(chart.Picture().size(), QSize(3, 2));

    // Limits at the ends of the doubles: their difference overflows.
    TChart &cpu = Chart("CCPU");
    Fill(cpu, Repeat(30, 50));
    const QImage before = cpu.Picture().copy();
    for (TChartAxis *axis : {cpu.LeftAxis(), cpu.BottomAxis()}) {
        axis->SetAutomatic(false);
        axis->SetMaximum(1e308);
        axis->SetMinimum(-1e308);
    }
    cpu.Picture();
    for (const TChartAxis *axis : {cpu.LeftAxis(), cpu.BottomAxis()}) {
        EXPECT_TRUE(std::isfinite(axis->IRange()) && std::isfinite(axis->IMinimum()));
    }
    EXPECT_NEAR(BarPeer::BarBounds(Bars(cpu), 0).top(), cpu.Plot().CentreY(), 1) << "50 lies halfway";
    // The labels are wider than the chart, so this drag starts far beside a plot squeezed to one pixel.
    Drag(cpu, Qt::LeftButton, QPoint(10, 20), {QPoint(40, 50)});
    for (const TChartAxis *axis : {cpu.LeftAxis(), cpu.BottomAxis()}) {
        EXPECT_TRUE(std::isfinite(axis->Minimum()) && std::isfinite(axis->Maximum()));
    }
    cpu.UndoZoom();
    cpu.LeftAxis()->SetMinimum(0);
    cpu.LeftAxis()->SetMaximum(100);
    cpu.BottomAxis()->SetAutomatic(true);
    EXPECT_EQ(cpu.Picture(), before);
}

struct TSetterCase
{
    const char *name;
    std::function<void(TChart &)> set;
    std::function<double(TChart &)> read;
    double unchanged;
    QString message;
    std::function<bool(const Exception &)> ofClass;
};

template <class E> bool isA(const Exception &error)
{
    return dynamic_cast<const E *>(&error) != nullptr;
}

TBarSeries &barsOf(TChart &chart)
{
    return *static_cast<TBarSeries *>(chart.Series(0));
}

class ChartSetters : public ChartTest, public ::testing::WithParamInterface<TSetterCase>
{
};

TEST_P(ChartSetters, RefuseAndKeepTheValue)
{
    const TSetterCase &c = GetParam();
    TChart &chart = Chart("CCPU");
    try {
        c.set(chart);
        FAIL() << "no exception";
    } catch (const Exception &error) {
        EXPECT_EQ(error.Message(), c.message);
        EXPECT_TRUE(c.ofClass(error));
    }
    EXPECT_DOUBLE_EQ(c.read(chart), c.unchanged);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ChartSetters,
    ::testing::Values(TSetterCase{"MaxPointsPerPage", [](TChart &c) { c.SetMaxPointsPerPage(-1); },
                                  [](TChart &c) { return c.MaxPointsPerPage(); }, 30,
                                  "MaxPointsPerPage must be >= 0", isA<ChartException>},
                      TSetterCase{"Increment", [](TChart &c) { c.LeftAxis()->SetIncrement(-1); },
                                  [](TChart &c) { return c.LeftAxis()->Increment(); }, 25,
                                  "Axis increment must be >= 0", isA<AxisException>},
                      TSetterCase{"IncrementNaN", [](TChart &c) { c.LeftAxis()->SetIncrement(std::nan("")); },
                                  [](TChart &c) { return c.LeftAxis()->Increment(); }, 25,
                                  "Axis increment must be >= 0", isA<AxisException>},
                      TSetterCase{"Minimum", [](TChart &c) { c.LeftAxis()->SetMinimum(101); },
                                  [](TChart &c) { return c.LeftAxis()->Minimum(); }, 0,
                                  "Axis Minimum Value must be <= Maximum", isA<AxisException>},
                      TSetterCase{"Maximum", [](TChart &c) { c.LeftAxis()->SetMaximum(-1); },
                                  [](TChart &c) { return c.LeftAxis()->Maximum(); }, 100,
                                  "Axis Maximum Value must be >= Minimum", isA<AxisException>},
                      TSetterCase{"MinimumNaN", [](TChart &c) { c.LeftAxis()->SetMinimum(std::nan("")); },
                                  [](TChart &c) { return c.LeftAxis()->Minimum(); }, 0,
                                  "Axis Minimum Value must be <= Maximum", isA<AxisException>},
                      TSetterCase{"MaximumInfinite", [](TChart &c) { c.LeftAxis()->SetMaximum(HUGE_VAL); },
                                  [](TChart &c) { return c.LeftAxis()->Maximum(); }, 100,
                                  "Axis Maximum Value must be >= Minimum", isA<AxisException>},
                      TSetterCase{"BottomMinimumInfinite",
                                  [](TChart &c) { c.BottomAxis()->SetMinimum(-HUGE_VAL); },
                                  [](TChart &c) { return c.BottomAxis()->Minimum(); }, 0,
                                  "Axis Minimum Value must be <= Maximum", isA<AxisException>},
                      TSetterCase{"BottomMaximumNaN",
                                  [](TChart &c) { c.BottomAxis()->SetMaximum(std::nan("")); },
                                  [](TChart &c) { return c.BottomAxis()->Maximum(); }, 0,
                                  "Axis Maximum Value must be >= Minimum", isA<AxisException>},
                      TSetterCase{"BarWidthLow", [](TChart &c) { barsOf(c).SetBarWidthPercent(0); },
                                  [](TChart &c) { return barsOf(c).BarWidthPercent(); }, 70,
                                  "Bar Width Percent must be between 1 and 100", isA<BarException>},
                      TSetterCase{"BarWidthHigh", [](TChart &c) { barsOf(c).SetBarWidthPercent(101); },
                                  [](TChart &c) { return barsOf(c).BarWidthPercent(); }, 70,
                                  "Bar Width Percent must be between 1 and 100", isA<BarException>},
                      TSetterCase{"OffsetLow", [](TChart &c) { barsOf(c).SetOffsetPercent(-101); },
                                  [](TChart &c) { return barsOf(c).OffsetPercent(); }, 0,
                                  "Bar Offset Percent must be between -100% and 100%", isA<BarException>},
                      TSetterCase{"OffsetHigh", [](TChart &c) { barsOf(c).SetOffsetPercent(101); },
                                  [](TChart &c) { return barsOf(c).OffsetPercent(); }, 0,
                                  "Bar Offset Percent must be between -100% and 100%", isA<BarException>}),
    [](const ::testing::TestParamInfo<TSetterCase> &info) { return std::string(info.param.name); });

TEST_F(ChartTest, StoredSettingsLoadInTheirOwnOrder)
{
    const TChartAxis &ncp = *Chart("CNCP").LeftAxis();
    EXPECT_FALSE(ncp.Automatic());
    EXPECT_FALSE(ncp.AutomaticMinimum());
    EXPECT_TRUE(ncp.AutomaticMaximum()) << "Automatic read from a layout leaves the limits' flags alone";
    EXPECT_DOUBLE_EQ(ncp.Minimum(), 100) << "above the stored maximum, accepted while reading";
    TChartAxis &cpu = *Chart("CCPU").LeftAxis();
    EXPECT_FALSE(cpu.AutomaticMaximum());
    cpu.SetAutomatic(true);
    EXPECT_TRUE(cpu.AutomaticMaximum() && cpu.AutomaticMinimum()) << "after loading Automatic sets both";
    cpu.SetAutomaticMinimum(false);
    EXPECT_FALSE(cpu.Automatic());
}

TEST_F(ChartTest, ALayoutWithABadSettingNamesItsLine)
{
    TTestForm other;
    try {
        ReadLayout(&other,
                   "object F: TTestForm\n  object C: TChart\n    LeftAxis.Increment = -1\n  end\nend\n");
        FAIL() << "read without error";
    } catch (const ELayoutError &error) {
        EXPECT_EQ(error.Line(), 3);
        EXPECT_TRUE(error.What().contains("Axis increment must be >= 0")) << error.What().toStdString();
    }
}

struct TZoomCase
{
    const char *name;
    bool zoomFirst;
    QPoint drag;
    bool zoomed;
    int zooms;
    int undos;
};

class ChartZoom : public ChartTest, public ::testing::WithParamInterface<TZoomCase>
{
};

TEST_P(ChartZoom, NeedsMoreThanSixteenPixelsRightAndDown)
{
    const TZoomCase &c = GetParam();
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(30, 50));
    chart.Picture();
    int zooms = 0;
    int undos = 0;
    chart.OnZoom = [&](QObject *) { ++zooms; };
    chart.OnUndoZoom = [&](QObject *) { ++undos; };
    const QPoint start(chart.Plot().CentreX(), chart.Plot().CentreY());
    if (c.zoomFirst) {
        Drag(chart, Qt::LeftButton, start - QPoint(20, 20), {start});
        chart.Picture();
    }
    Drag(chart, Qt::LeftButton, start, {start + c.drag / 2, start + c.drag});
    EXPECT_EQ(chart.Zoomed(), c.zoomed);
    EXPECT_EQ(zooms, c.zooms);
    EXPECT_EQ(undos, c.undos);
    EXPECT_EQ(chart.BottomAxis()->Automatic(), !c.zoomed);
    if (!c.zoomed) {
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 100);
        EXPECT_TRUE(chart.LeftAxis()->Minimum() == 0 && !chart.LeftAxis()->Automatic());
    }
}

INSTANTIATE_TEST_SUITE_P(Drags, ChartZoom,
                         ::testing::Values(TZoomCase{"RightDown", false, {17, 17}, true, 1, 0},
                                           TZoomCase{"NarrowAcross", false, {16, 30}, false, 0, 0},
                                           TZoomCase{"ShortDown", false, {30, 16}, false, 0, 0},
                                           TZoomCase{"UpLeftUndoes", true, {-20, -20}, false, 1, 1},
                                           TZoomCase{"UpRightUndoes", true, {20, -20}, false, 1, 1},
                                           TZoomCase{"SmallAfterZoomKeeps", true, {-10, -10}, true, 1, 0}),
                         [](const ::testing::TestParamInfo<TZoomCase> &info) { return info.param.name; });

TEST_F(ChartTest, ZoomSetsTheValuesUnderTheRectangle)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(30, 50));
    chart.Picture();
    const TChart::TPlot plot = chart.Plot();
    const QPoint from(plot.left + 10, plot.top + 5);
    const QPoint to(plot.left + 60, plot.top + 40);
    const double left = chart.BottomAxis()->CalcPosPoint(from.x());
    const double top = chart.LeftAxis()->CalcPosPoint(from.y());
    Drag(chart, Qt::LeftButton, from, {to});
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), left);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), top);
    chart.Picture();
    chart.UndoZoom();
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 100);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

TEST_F(ChartTest, PanningMovesTheHorizontalAxesOnlyInsideThePlot)
{
    TChart &chart = Chart("CCPU");
    Fill(chart, Repeat(30, 50));
    chart.Picture();
    int scrolls = 0;
    chart.OnScroll = [&](QObject *) { ++scrolls; };
    const TChart::TPlot plot = chart.Plot();
    const double minimum = chart.BottomAxis()->Minimum();
    const QPoint start(plot.CentreX(), plot.CentreY());
    Drag(chart, Qt::RightButton, QPoint(start.x(), plot.top - 3), {start, start - QPoint(20, 0)});
    EXPECT_EQ(scrolls, 0) << "a press above the plot starts no pan, though the pointer then moves inside";
    EXPECT_FALSE(chart.Zoomed());

    const double shift =
        chart.BottomAxis()->CalcPosPoint(start.x()) - chart.BottomAxis()->CalcPosPoint(start.x() - 20);
    Drag(chart, Qt::RightButton, start,
         {start - QPoint(20, 10), QPoint(plot.right + 5, 0), QPoint(plot.left + 1, start.y())});
    EXPECT_EQ(scrolls, 1) << "leaving the plot ends the pan";
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), minimum + shift);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 100) << "vertical moves are ignored";
    EXPECT_TRUE(chart.Zoomed());
    Drag(chart, Qt::RightButton, QPoint(2, start.y()), {start});
    EXPECT_EQ(scrolls, 2) << "a press on the axis starts one";
}

// A chart drawn after each change keeps its frame only while nothing under the series moved: it then looks
// as a chart of the same history drawn once.
struct FrameChange
{
    const char *name;
    std::function<void(TChart &)> change;
};

class ChartFrame : public ::testing::TestWithParam<FrameChange>
{};

TEST_P(ChartFrame, IsDrawnAnewWhereverAChangeReachesIt)
{
    const std::unique_ptr<TTestForm> kept = ChartLayouts::LoadBoth();
    const std::unique_ptr<TTestForm> fresh = ChartLayouts::LoadBoth();
    TChart &drawn = *kept->findChild<TChart *>("CNCP");
    TChart &once = *fresh->findChild<TChart *>("CNCP");
    for (TChart *chart : {&drawn, &once})
        for (int i = 0; i < 30; ++i)
            ChartLayouts::SamplerStep(*chart, 300 + 20 * (i % 5), 25);
    drawn.Picture();
    GetParam().change(drawn);
    GetParam().change(once);
    EXPECT_EQ(drawn.Picture(), once.Picture());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChartFrame,
    ::testing::Values(
        FrameChange{"APointWithinTheRange", [](TChart &c) { ChartLayouts::SamplerStep(c, 310, 25); }},
        FrameChange{"APointRaisingTheMaximum", [](TChart &c) { ChartLayouts::SamplerStep(c, 90000, 25); }},
        FrameChange{"TheLabelsColour", [](TChart &c) { c.LeftAxis()->LabelsFont()->SetColor(clWhite); }},
        FrameChange{"TheSeriesOff", [](TChart &c) { c.Series(0)->SetActive(false); }},
        FrameChange{"ATitle",
                    [](TChart &c) {
                        c.Title()->SetText({QStringLiteral("Requests")});
                        c.Title()->SetVisible(true);
                    }},
        FrameChange{"ANewSize", [](TChart &c) { c.resize(200, 90); }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
