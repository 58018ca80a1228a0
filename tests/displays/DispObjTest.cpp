#include "displays/DispObj.h"

#include <map>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

struct TExtentCase
{
    TDispBevel::TBevelCut outer;
    int outerWidth;
    TDispBevel::TBevelCut inner;
    int innerWidth;
    TDispBevel::TBorderStyle style;
    int borderWidth;
    int borderSpace;
    int extent;
};

using BevelExtent = ::testing::TestWithParam<TExtentCase>;

TEST_P(BevelExtent, IsWhatPaintBevelTakesFromEachSide)
{
    const TExtentCase &c = GetParam();
    TDispBevel bevel;
    bevel.SetBevelOuter(c.outer);
    bevel.SetBevelOuterWidth(c.outerWidth);
    bevel.SetBevelInner(c.inner);
    bevel.SetBevelInnerWidth(c.innerWidth);
    bevel.SetBorderStyle(c.style);
    bevel.SetBorderWidth(c.borderWidth);
    bevel.SetBorderSpace(c.borderSpace);
    EXPECT_EQ(bevel.BevelExtent(), c.extent);
    QImage image(40, 30, QImage::Format_RGB32);
    QPainter painter(&image);
    for (bool drawBorder : {true, false})
        EXPECT_EQ(bevel.PaintBevel(painter, QRect(2, 3, 30, 20), drawBorder),
                  QRect(2, 3, 30, 20).adjusted(c.extent, c.extent, -c.extent, -c.extent));
}

using B = TDispBevel;
INSTANTIATE_TEST_SUITE_P(Frames, BevelExtent,
                         ::testing::Values(TExtentCase{B::bvNone, 0, B::bvNone, 0, B::bsNone, 0, 0, 0},
                                           TExtentCase{B::bvNone, 3, B::bvNone, 2, B::bsNone, 0, 0, 0},
                                           TExtentCase{B::bvLowered, 1, B::bvNone, 1, B::bsNone, 0, 0, 1},
                                           TExtentCase{B::bvLowered, 1, B::bvNone, 1, B::bsNone, 0, 2, 3},
                                           TExtentCase{B::bvRaised, 2, B::bvLowered, 3, B::bsSingle, 4, 1,
                                                       11}));

// The colour name of each pixel: light L, shadow S, border C, gap G, frame F, untouched '.'.
QString Picture(const QImage &image)
{
    const std::map<QRgb, char> names = {
        {0xFFFFFF, 'L'}, {0x808080, 'S'}, {0xFF0000, 'C'}, {0x00FF00, 'G'}, {0, 'F'}};
    QString text;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const auto name = names.find(image.pixel(x, y) & 0xFFFFFF);
            text += name == names.end() ? '.' : name->second;
        }
        text += '\n';
    }
    return text;
}

QString Painted(const TDispBevel &bevel, QSize size, bool drawBorder)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(0x123456);
    QPainter painter(&image);
    bevel.PaintBevel(painter, image.rect(), drawBorder);
    return Picture(image);
}

// The bottom edge is drawn last along the whole line, so it takes the bottom-left corner too.
TEST(TDispBevel, DrawsLoweredRingsShadowTopLeftAndLightBottomRight)
{
    TDispBevel bevel;
    EXPECT_EQ(Painted(bevel, QSize(5, 4), true), "SSSSL\n"
                                                 "S...L\n"
                                                 "S...L\n"
                                                 "LLLLL\n");
    bevel.SetBevelOuter(TDispBevel::bvRaised);
    bevel.SetBorderStyle(TDispBevel::bsSingle);
    bevel.SetBorderSpace(1);
    bevel.SetBorderSpaceColor(clLime);
    EXPECT_EQ(Painted(bevel, QSize(7, 7), true), "FFFFFFF\n"
                                                 "FLLLLSF\n"
                                                 "FLGGGSF\n"
                                                 "FLG.GSF\n"
                                                 "FLGGGSF\n"
                                                 "FSSSSSF\n"
                                                 "FFFFFFF\n");
}

TEST(TDispBevel, WithoutTheBorderFlagLeavesTheBorderBandUnpaintedButTakesItsWidth)
{
    TDispBevel bevel;
    bevel.SetBevelOuter(TDispBevel::bvNone);
    bevel.SetBorderWidth(2);
    bevel.SetBorderColor(clRed);
    bevel.SetBevelInner(TDispBevel::bvLowered);
    EXPECT_EQ(Painted(bevel, QSize(7, 6), false), ".......\n"
                                                  ".......\n"
                                                  "..SSL..\n"
                                                  "..LLL..\n"
                                                  ".......\n"
                                                  ".......\n");
    EXPECT_EQ(Painted(bevel, QSize(7, 6), true), "CCCCCCC\n"
                                                 "CCCCCCC\n"
                                                 "CCSSLCC\n"
                                                 "CCLLLCC\n"
                                                 "CCCCCCC\n"
                                                 "CCCCCCC\n");
}

TEST(TDispBevel, AssigningNotifiesTheOwnerOnceEvenWhenNothingDiffers)
{
    TDispBevel source;
    source.SetBevelInner(TDispBevel::bvRaised);
    source.SetBorderWidth(3);
    source.SetColor(TDispBevel::ciOuterShadow, clMaroon);
    TDispBevel target;
    int notified = 0;
    target.SetChangeHandler([&] { ++notified; });
    target.Assign(source);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(target.BevelInner(), TDispBevel::bvRaised);
    EXPECT_EQ(target.BorderWidth(), 3);
    EXPECT_EQ(target.OuterShadowColor(), clMaroon);
    target.Assign(source);
    EXPECT_EQ(notified, 2);
    target.Assign(target);
    target.SetBorderWidth(3);
    target.SetColor(TDispBevel::TColorIndex(9), clRed);
    EXPECT_EQ(notified, 2);
    target.SetBorderWidth(4);
    EXPECT_EQ(notified, 3);
}

class TRecordingDisplay : public TDispGraphicControl
{
public:
    using TDispGraphicControl::TDispGraphicControl;
    int bevelChanges = 0;

protected:
    void BevelChanged() override
    {
        ++bevelChanges;
        TDispGraphicControl::BevelChanged();
    }
};

TEST(TDispGraphicControl, PaintsItsBevelThenItsColourAndHearsEveryBevelChange)
{
    TRecordingDisplay display;
    display.resize(6, 4);
    display.SetColor(clLime);
    display.Bevel()->SetBevelOuterWidth(2);
    display.Bevel()->SetBevelOuterWidth(2);
    EXPECT_EQ(display.bevelChanges, 1);
    EXPECT_EQ(display.InnerRect(), QRect(2, 2, 2, 0));
    display.Bevel()->SetBevelOuterWidth(1);
    EXPECT_EQ(Picture(display.grab().toImage()), "SSSSSL\n"
                                                 "SGGGGL\n"
                                                 "SGGGGL\n"
                                                 "LLLLLL\n");
}

TEST(TDispCustomPanel, PaintsItsBevelThenItsColour)
{
    TDispCustomPanel panel;
    panel.resize(3, 3);
    panel.SetColor(clRed);
    EXPECT_EQ(panel.InnerRect(), QRect(1, 1, 1, 1));
    EXPECT_EQ(Picture(panel.grab().toImage()), "SSL\n"
                                               "SCL\n"
                                               "LLL\n");
}

} // namespace
