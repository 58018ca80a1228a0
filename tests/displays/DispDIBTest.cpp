#include "displays/DispDIB.h"

#include <functional>

#include <QPainter>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

template <> struct TTestPeer<TDispDIBCanvas>
{
    static bool Drawing(const TDispDIBCanvas &canvas) { return canvas.m_drawing; }
};

namespace {

// The 8-bit image top-down: '#' where the pixel's index is not 0.
QString Picture(const TDispDIBCanvas &dib)
{
    QString text;
    for (int y = 0; y < dib.ImageHeight(); ++y) {
        const uint8_t *row = dib.Bits() + (dib.ImageHeight() - 1 - y) * dib.RowLength();
        for (int x = 0; x < dib.ImageWidth(); ++x)
            text += row[x] ? '#' : '.';
        text += '\n';
    }
    return text;
}

// The message of the EDispDIBError that the action raises, or nothing.
QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDispDIBError &error) {
        return error.Message();
    }
    return {};
}

struct TColorCase
{
    TColor color;
    uint32_t index;
};

using DIBPaletteIndex = ::testing::TestWithParam<TColorCase>;

TEST_P(DIBPaletteIndex, IsTheNearestStaticColour)
{
    TDispDIBCanvas dib;
    EXPECT_EQ(dib.SelectColor(GetParam().color), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Colours, DIBPaletteIndex,
                         ::testing::Values(TColorCase{clLime, 250}, TColorCase{clRed, 249},
                                           TColorCase{clTeal, 6}, TColorCase{clMaroon, 1},
                                           TColorCase{clBlack, 0}, TColorCase{clWhite, 255},
                                           TColorCase{clBtnFace, 7}, TColorCase{TColor(0x0000F0), 249},
                                           TColorCase{TColor(0x101010), 0}));

struct TRowCase
{
    int bitsPerPixel;
    int width;
    int rowLength;
};

using DIBRowLength = ::testing::TestWithParam<TRowCase>;

TEST_P(DIBRowLength, IsPaddedToFourBytesWithTheTopLineStoredLast)
{
    const TRowCase &c = GetParam();
    TDispDIBCanvas dib;
    dib.SetBitsPerPixel(c.bitsPerPixel);
    dib.SetSize(c.width, 3);
    dib.BeginDraw();
    ASSERT_EQ(dib.RowLength(), c.rowLength);
    dib.SelectColor(clRed);
    dib.FillBox(0, 0, 1, 1, false);
    dib.EndDraw();
    const uint8_t *topLeft = dib.Bits() + 2 * c.rowLength;
    EXPECT_EQ(topLeft[0], c.bitsPerPixel == 8 ? 249 : 0);
    if (c.bitsPerPixel == 24) {
        EXPECT_EQ(topLeft[2], 255);
    }
    EXPECT_EQ(dib.ToImage().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(dib.ToImage().pixel(0, 2), qRgb(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Depths, DIBRowLength,
                         ::testing::Values(TRowCase{8, 1, 4}, TRowCase{8, 4, 4}, TRowCase{8, 5, 8},
                                           TRowCase{24, 1, 4}, TRowCase{24, 4, 12}, TRowCase{24, 5, 16}));

struct TFillCase
{
    int left, top, right, bottom;
    bool dotted;
    const char *picture;
};

using DIBFillBox = ::testing::TestWithParam<TFillCase>;

TEST_P(DIBFillBox, NormalisesClipsAndDots)
{
    const TFillCase &c = GetParam();
    TDispDIBCanvas dib;
    dib.SetSize(5, 3);
    dib.BeginDraw();
    dib.SelectColor(clLime);
    dib.FillBox(c.left, c.top, c.right, c.bottom, c.dotted);
    dib.EndDraw();
    EXPECT_EQ(Picture(dib), QString::fromLatin1(c.picture));
}

INSTANTIATE_TEST_SUITE_P(Boxes, DIBFillBox,
                         ::testing::Values(TFillCase{1, 0, 3, 2, false, ".##..\n.##..\n.....\n"},
                                           TFillCase{3, 2, 1, 0, false, ".##..\n.##..\n.....\n"},
                                           TFillCase{-2, 1, 9, 7, false, ".....\n#####\n#####\n"},
                                           TFillCase{5, 0, 8, 3, false, ".....\n.....\n.....\n"},
                                           TFillCase{-4, -4, -1, -1, false, ".....\n.....\n.....\n"},
                                           TFillCase{-4, 0, -1, 3, false, ".....\n.....\n.....\n"},
                                           TFillCase{6, 0, 9, 3, false, ".....\n.....\n.....\n"},
                                           TFillCase{9, 0, 6, 3, true, ".....\n.....\n.....\n"},
                                           TFillCase{2, 2, 2, 3, false, ".....\n.....\n.....\n"},
                                           TFillCase{1, 0, 4, 3, true, ".#.#.\n.....\n.#.#.\n"},
                                           TFillCase{0, 1, 3, 2, true, ".....\n#.#..\n.....\n"}));

TEST(TDispDIBCanvas, ClearsEveryPixelAndAt24BitsLeavesTheRowPaddingAlone)
{
    TDispDIBCanvas dib;
    dib.SetBitsPerPixel(24);
    dib.SetSize(1, 2);
    dib.BeginDraw();
    dib.SelectColor(TColor(0x336699));
    dib.ClearSurface();
    dib.EndDraw();
    const std::vector<uint8_t> expected = {0x33, 0x66, 0x99, 0, 0x33, 0x66, 0x99, 0};
    EXPECT_EQ(std::vector<uint8_t>(dib.Bits(), dib.Bits() + 8), expected);
}

TEST(TDispDIBCanvas, RefusesOtherDepthsAndRebuildsWhileDrawingKeepingItsImage)
{
    TDispDIBCanvas dib;
    EXPECT_EQ(ErrorOf([&] { dib.SetBitsPerPixel(16); }), "Bitlength not supported yet");
    EXPECT_EQ(dib.BitsPerPixel(), 8);
    dib.BeginDraw();
    EXPECT_EQ(ErrorOf([&] { dib.SetBitsPerPixel(24); }),
              "Attempt to create new DIB while initialized for drawing");
    EXPECT_THROW(dib.SetPaletteRealize(true), EDispDIBError);
    EXPECT_EQ(dib.BitsPerPixel(), 8);
    EXPECT_FALSE(dib.PaletteRealize());
    // A resize waits for the next drawing; this one keeps the image it began with.
    dib.SetSize(4, 4);
    dib.SelectColor(clWhite);
    dib.FillBox(0, 0, 4, 4, false);
    EXPECT_EQ(Picture(dib), "#\n");
    dib.EndDraw();
    dib.BeginDraw();
    EXPECT_EQ(Picture(dib), "....\n....\n....\n....\n");
    dib.EndDraw();
}

TEST(TDispDIBCanvas, DrawsNothingOutsideBeginAndEndDraw)
{
    TDispDIBCanvas dib;
    dib.SetSize(2, 1);
    dib.BeginDraw();
    dib.EndDraw();
    dib.SelectColor(clWhite);
    dib.ClearSurface();
    dib.FillBox(0, 0, 2, 1, false);
    dib.CopyPixels(0, 0, 1, 1, 1, 0, dib);
    EXPECT_EQ(Picture(dib), "..\n");
}

TEST(TDispDIBCanvas, AnImageTooLargeToHoldIsRefusedNotAllocated)
{
    TDispDIBCanvas dib;
    dib.SetSize(1 << 20, 1 << 20);
    EXPECT_EQ(ErrorOf([&] { dib.BeginDraw(); }), "Unable to access DIB device context");
    EXPECT_FALSE(TTestPeer<TDispDIBCanvas>::Drawing(dib));
}

struct TCopyCase
{
    int x, y, width, height, sourceX, sourceY;
    const char *picture;
};

using DIBCopyPixels = ::testing::TestWithParam<TCopyCase>;

// The source pattern: a diagonal of distinct indices, so a row or column read twice shows.
TEST_P(DIBCopyPixels, ClipsBothRectanglesAndCopiesOverlapsWithoutSmearing)
{
    const TCopyCase &c = GetParam();
    TDispDIBCanvas dib;
    dib.SetSize(4, 4);
    dib.BeginDraw();
    dib.SelectColor(clWhite);
    for (int i = 0; i < 4; ++i)
        dib.FillBox(i, i, i + 1, i + 1, false);
    dib.CopyPixels(c.x, c.y, c.width, c.height, c.sourceX, c.sourceY, dib);
    dib.EndDraw();
    EXPECT_EQ(Picture(dib), QString::fromLatin1(c.picture));
}

INSTANTIATE_TEST_SUITE_P(Blocks, DIBCopyPixels,
                         ::testing::Values(TCopyCase{1, 1, 3, 3, 0, 0, "#...\n.#..\n..#.\n...#\n"},
                                           TCopyCase{0, 1, 4, 3, 0, 0, "#...\n#...\n.#..\n..#.\n"},
                                           TCopyCase{0, 0, 4, 3, 0, 1, ".#..\n..#.\n...#\n...#\n"},
                                           TCopyCase{1, 0, 3, 4, 0, 0, "##..\n..#.\n...#\n....\n"},
                                           TCopyCase{0, 0, 3, 4, 1, 0, "....\n#...\n.#..\n..##\n"},
                                           TCopyCase{-1, -1, 9, 9, 0, 0, "#...\n.#..\n..#.\n...#\n"},
                                           TCopyCase{-1, 0, 3, 1, 0, 0, "....\n.#..\n..#.\n...#\n"},
                                           TCopyCase{1, 1, 2, 1, -1, 0, "#...\n.##.\n..#.\n...#\n"},
                                           TCopyCase{0, 0, 2, 2, 4, 0, "#...\n.#..\n..#.\n...#\n"}));

TEST(TDispDIBCanvas, CopiesFromAnotherImageOnlyOfTheSameSize)
{
    TDispDIBCanvas source;
    source.BeginDraw();
    source.SelectColor(clRed);
    source.ClearSurface();
    source.EndDraw();
    TDispDIBCanvas target;
    target.BeginDraw();
    target.CopyPixels(0, 0, 1, 1, 0, 0, source);
    EXPECT_EQ(Picture(target), "#\n");
    target.EndDraw();
    target.SetSize(2, 1);
    target.BeginDraw();
    target.CopyPixels(0, 0, 1, 1, 0, 0, source);
    EXPECT_EQ(Picture(target), "..\n");
    target.EndDraw();
}

TEST(TDispDIBCanvas, BlitsTheSourcePointToTheDestinationCorner)
{
    TDispDIBCanvas dib;
    dib.SetSize(3, 1);
    dib.BeginDraw();
    dib.SelectColor(clLime);
    dib.FillBox(1, 0, 2, 1, false);
    dib.EndDraw();
    QImage screen(4, 2, QImage::Format_RGB32);
    screen.fill(Qt::blue);
    QPainter painter(&screen);
    dib.BlitTo(&painter, QRect(2, 1, 2, 1), 1, 0);
    dib.BlitTo(nullptr, QRect(0, 0, 1, 1), 0, 0);
    painter.end();
    EXPECT_EQ(screen.pixel(2, 1), qRgb(0, 255, 0));
    EXPECT_EQ(screen.pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(TDispDIBGraphicControl, SizesItsImageToTheControl)
{
    QWidget window;
    TDispDIBGraphicControl &control = *new TDispDIBGraphicControl(&window);
    window.show();
    control.resize(7, 5);
    control.DIB()->BeginDraw();
    EXPECT_EQ(control.DIB()->ImageWidth(), 7);
    EXPECT_EQ(control.DIB()->ImageHeight(), 5);
    control.DIB()->EndDraw();
}

TEST(TDispDIBGraphicControl, DrawNowPaintsAtOnceOnlyWhenShownOnAParent)
{
    int calls = 0;
    const TDispDIBGraphicControl::TDrawProcedure draw = [&](QPainter &painter) {
        ++calls;
        painter.fillRect(0, 0, 1, 1, Qt::red);
    };
    TDispDIBGraphicControl orphan;
    orphan.show();
    orphan.DrawNow(draw);
    EXPECT_EQ(calls, 0);

    QWidget window;
    window.resize(20, 20);
    auto *control = new TDispDIBGraphicControl(&window);
    control->SetBounds(2, 2, 8, 8);
    control->DrawNow(draw);
    EXPECT_EQ(calls, 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    control->hide();
    control->DrawNow(draw);
    EXPECT_EQ(calls, 0);
    control->show();
    control->DrawNow(draw);
    EXPECT_EQ(calls, 1);
    EXPECT_THROW(control->DrawNow([](QPainter &) { throw EDispDIBError("drawing failed"); }), EDispDIBError);
    control->DrawNow(draw);
    EXPECT_EQ(calls, 2);
}

} // namespace
