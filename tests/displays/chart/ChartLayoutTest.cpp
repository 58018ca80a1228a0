#include <cmath>
#include <memory>

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include "displays/chart/Chart.h"
#include "displays/chart/Series.h"
#include "tests/displays/chart/ChartLayouts.h"

namespace {

constexpr QRgb kLime = 0xFF00FF00;
constexpr QRgb kGreen = 0xFF008000;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kRed = 0xFFFF0000;

int count(const QImage &image, QRgb color, int fromX, int toX)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = fromX; x < toX; ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// Forty ticks of the sampler on both charts, quiet and busy seconds mixed.
TEST(ChartLayout, TheMainWindowsChartsDrawTheSamplersStrip)
{
    std::unique_ptr<TTestForm> form = ChartLayouts::LoadBoth();
    auto *cpu = form->findChild<TChart *>("CCPU");
    auto *ncp = form->findChild<TChart *>("CNCP");
    ASSERT_TRUE(cpu && ncp);
    EXPECT_EQ(cpu->geometry(), QRect(8, 25, 265, 72));
    EXPECT_EQ(cpu->Series(0)->objectName(), "BarSeries2");
    EXPECT_EQ(ncp->Series(0)->objectName(), "BarSeries1");
    EXPECT_EQ(cpu->Series(0)->YValues()->Name(), "Bar");
    for (int tick = 0; tick < 40; ++tick) {
        const double load = 50 + 45 * std::sin(tick / 4.0);
        ChartLayouts::SamplerStep(*cpu, tick % 7 == 0 ? 3 : load, 10);
        ChartLayouts::SamplerStep(*ncp, tick % 5 == 0 ? 12 : 300 + 40 * tick, 25);
    }
    EXPECT_EQ(cpu->Series(0)->PointCount(), 31);

    const QString folder = QStringLiteral(SEMBROLIN_PICTURE_DIR);
    QDir().mkpath(folder);
    for (TChart *chart : {cpu, ncp}) {
        const QImage picture = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(picture.size(), QSize(265, 72));
        EXPECT_EQ(picture, chart->Picture().convertToFormat(QImage::Format_RGB32));
        const int left = chart->Plot().left;
        EXPECT_GT(count(picture, kLime, 0, left), 20) << "lime labels";
        EXPECT_GT(count(picture, kRed, 0, left), 20) << "red title";
        EXPECT_GT(count(picture, kGrey, left, chart->Plot().right), 100) << "dotted grid";
        EXPECT_GT(count(picture, kLime, left, chart->Plot().right), 500) << "lime bars";
        EXPECT_TRUE(picture.save(folder + u'/' + chart->objectName() + QStringLiteral(".png")));
    }
    EXPECT_GT(count(cpu->Picture(), kGreen, cpu->Plot().left, cpu->Plot().right), 10) << "quiet seconds";
}

} // namespace
