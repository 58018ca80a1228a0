#include "displays/chart/BarSeries.h"

#include <vector>

#include <gtest/gtest.h>

#include "displays/chart/Chart.h"
#include "tests/displays/chart/ChartPeer.h"

namespace {

struct TInsertCase
{
    TChartValueList::TChartListOrder order;
    std::vector<double> xs;
    double x;
    int index;
};

class InsertByOrder : public ::testing::TestWithParam<TInsertCase>
{
};

TEST_P(InsertByOrder, PutsEqualValuesAfterTheirEquals)
{
    const TInsertCase &c = GetParam();
    TBarSeries series;
    series.XValues()->SetOrder(c.order);
    for (double x : c.xs)
        series.InsertPoint(x, x * 10, QString(), ColorDefault);
    EXPECT_EQ(series.InsertPoint(c.x, -1, QStringLiteral("new"), clRed), c.index);
    EXPECT_DOUBLE_EQ(series.YValue(c.index), -1);
    EXPECT_EQ(series.PointColor(c.index), clRed);
    EXPECT_EQ(series.PointLabel(c.index), QStringLiteral("new"));
}

INSTANTIATE_TEST_SUITE_P(Orders, InsertByOrder,
                         ::testing::Values(TInsertCase{TChartValueList::loAscending, {}, 5, 0},
                                           TInsertCase{TChartValueList::loAscending, {0, 1, 2}, 3, 3},
                                           TInsertCase{TChartValueList::loAscending, {0, 1, 1, 2}, 1, 3},
                                           TInsertCase{TChartValueList::loAscending, {0, 1, 2}, -1, 0},
                                           TInsertCase{TChartValueList::loDescending, {5, 3, 3, 1}, 3, 3},
                                           TInsertCase{TChartValueList::loDescending, {5, 3}, 9, 0},
                                           TInsertCase{TChartValueList::loNone, {5, 3}, 4, 2}));

TEST(TBarSeries, DeleteAndRenumberKeepTheOrderOfValuesAndColours)
{
    TBarSeries series;
    for (int i = 0; i < 31; ++i)
        series.AppendY(i * 2.0, QString(), i % 2 ? clLime : clGreen);
    series.DeletePoint(0);
    series.XValues()->Renumber();
    ASSERT_EQ(series.PointCount(), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_DOUBLE_EQ(series.XValue(i), i);
        EXPECT_DOUBLE_EQ(series.YValue(i), (i + 1) * 2.0);
        EXPECT_EQ(series.PointColor(i), (i + 1) % 2 ? clLime : clGreen);
    }
    EXPECT_DOUBLE_EQ(series.XValues()->MinValue(), 0);
    EXPECT_DOUBLE_EQ(series.XValues()->MaxValue(), 29);
    EXPECT_DOUBLE_EQ(series.XValues()->Total(), 465) << "renumbering leaves the running total of 0..30";
    EXPECT_DOUBLE_EQ(series.YValues()->MinValue(), 2) << "deleting rescans the limits";
    EXPECT_DOUBLE_EQ(series.YValues()->Total(), 930);
    series.DeletePoint(30);
    EXPECT_EQ(series.PointCount(), 30) << "an index past the points is ignored";
}

TEST(TBarSeries, StatisticsFollowTheMultiplier)
{
    TBarSeries series;
    series.AppendY(-3);
    series.AppendY(5);
    series.YValues()->SetMultiplier(2);
    EXPECT_DOUBLE_EQ(series.YValues()->Total(), 4);
    EXPECT_DOUBLE_EQ(series.YValues()->TotalAbs(), 16);
    EXPECT_DOUBLE_EQ(series.MinYValue(), -6);
    EXPECT_DOUBLE_EQ(series.MaxYValue(), 10);
    series.SetUseYOrigin(false);
    series.DeletePoint(0);
    EXPECT_DOUBLE_EQ(series.MinYValue(), 10) << "without the origin only the values count";
    series.SetUseYOrigin(true);
    EXPECT_DOUBLE_EQ(series.MinYValue(), 0);
}

struct TColorCase
{
    TColor stored;
    bool eachPoint;
    TColor shown;
};

class PointColours : public ::testing::TestWithParam<TColorCase>
{
};

TEST_P(PointColours, FallBackToTheSeriesColour)
{
    TBarSeries series;
    series.SetSeriesColor(TColor(0x00FF80));
    series.SetColorEachPoint(GetParam().eachPoint);
    series.AppendY(1, QString(), GetParam().stored);
    EXPECT_EQ(series.PointColor(0), GetParam().shown);
    EXPECT_EQ(series.PointColor(7), TColor(0x00FF80)) << "beyond the colour list";
}

INSTANTIATE_TEST_SUITE_P(Colours, PointColours,
                         ::testing::Values(TColorCase{clLime, false, clLime},
                                           TColorCase{ColorDefault, false, TColor(0x00FF80)},
                                           TColorCase{ColorNone, false, ColorNone},
                                           TColorCase{ColorDefault, true, TColor(0x0000FF)}));

TEST(TBarSeries, TurningEachPointColourOffForgetsThePointColours)
{
    TBarSeries series;
    series.SetSeriesColor(clAqua);
    series.SetColorEachPoint(true);
    series.AppendY(1, QString(), clLime);
    series.SetColorEachPoint(false);
    EXPECT_EQ(series.PointColor(0), clAqua);
}

TEST(TBarSeries, AVetoedInsertionChangesNothing)
{
    TBarSeries series;
    double pending = 0;
    series.OnBeforeAdd = [&](TChartSeries *sender) {
        pending = sender->YValues()->PendingValue();
        return false;
    };
    EXPECT_EQ(series.AppendY(42), -1);
    EXPECT_DOUBLE_EQ(pending, 42);
    EXPECT_EQ(series.PointCount(), 0);
}

TEST(TBarSeries, SideBySideSettingsReachTheChartsOtherBarSeries)
{
    TChart chart;
    auto *first = new TBarSeries(&chart);
    auto *second = new TBarSeries(&chart);
    first->SetParentChart(&chart);
    second->SetParentChart(&chart);
    first->SetMultiBar(TCustomBarSeries::mbNone);
    first->SetSideMargins(false);
    EXPECT_EQ(second->MultiBar(), TCustomBarSeries::mbNone);
    EXPECT_FALSE(second->SideMargins());
    delete first;
    EXPECT_EQ(chart.SeriesList().size(), 1) << "a series leaves its chart as it goes";
}

TEST(TBarSeries, TheHitTestFindsTheBarUnderThePointer)
{
    TChart chart;
    auto *series = new TBarSeries(&chart);
    series->SetParentChart(&chart);
    for (double y : {10.0, 80.0, 40.0})
        series->AppendY(y);
    chart.Picture();
    const QRect bar = TTestPeer<TCustomBarSeries>::BarBounds(*series, 1);
    EXPECT_EQ(series->Clicked(bar.center().x(), bar.center().y()), 1);
    EXPECT_EQ(series->Clicked(bar.center().x(), bar.top() - 2), -1) << "above the bar";
}

} // namespace
