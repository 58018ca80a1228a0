#include "skin/FontFx.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "runtime/Font.h"

namespace {

// The caption drawn by `fx` into a box of its extent at `at`, on black.
QImage Render(const TFontFx &fx, const TFont &font, const QString &caption, QSize imageSize, QPoint at,
              TColor color, bool enabled, QRect *box = nullptr)
{
    const QSize text = QFontMetrics(font.ToQFont()).size(Qt::TextSingleLine, caption);
    const QRect into(at, fx.Extent(text));
    QImage image(imageSize.isEmpty() ? into.size() : imageSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font.ToQFont());
    fx.Draw(painter, into, text, Qt::AlignLeft | Qt::AlignTop, caption, color, enabled);
    if (box)
        *box = into;
    return image;
}

struct TExtentCase
{
    TFontFx::TStyle3D style;
    int depth;
    int angle;
    QSize extent;
};

class FontFxExtent : public ::testing::TestWithParam<TExtentCase>
{
};

TEST_P(FontFxExtent, GrowsByTheStyleAndTurnsWithTheAngle)
{
    TFontFx fx;
    fx.SetStyle3D(GetParam().style);
    fx.SetDepth(GetParam().depth);
    fx.SetAngle(GetParam().angle);
    EXPECT_EQ(fx.Extent(QSize(20, 10)), GetParam().extent);
}

INSTANTIATE_TEST_SUITE_P(Effects, FontFxExtent,
                         ::testing::Values(TExtentCase{TFontFx::fxNone, 3, 0, QSize(20, 10)},
                                           TExtentCase{TFontFx::fxRaised, 2, 0, QSize(24, 14)},
                                           TExtentCase{TFontFx::fxLowered, 1, 0, QSize(22, 12)},
                                           TExtentCase{TFontFx::fxShadow, 3, 0, QSize(23, 13)},
                                           TExtentCase{TFontFx::fxRaised, 100, 0, QSize(52, 42)},
                                           TExtentCase{TFontFx::fxShadow, -4, 0, QSize(20, 10)},
                                           TExtentCase{TFontFx::fxNone, 0, 90, QSize(10, 20)},
                                           TExtentCase{TFontFx::fxNone, 0, -90, QSize(10, 20)},
                                           TExtentCase{TFontFx::fxNone, 0, 540, QSize(20, 10)},
                                           TExtentCase{TFontFx::fxNone, 0, 45, QSize(22, 22)}));

struct TStyleCase
{
    const char *name;
    TFontFx::TStyle3D style;
    bool enabled;
    TFontFx::TDisabledStyle disabledStyle;
    // The colours a row of the caption starts and ends with, left to right.
    QColor first;
    QColor last;
};

class FontFxStyle : public ::testing::TestWithParam<TStyleCase>
{
};

// A caption "I" on black: the stem's row shows each pass beside the next.
TEST_P(FontFxStyle, DrawsItsPassesBesideTheCaption)
{
    const TStyleCase &c = GetParam();
    TFontFx fx;
    fx.SetStyle3D(c.style);
    fx.SetDisabledStyle(c.disabledStyle);
    fx.SetHighlightColor(clAqua);
    fx.SetShadowColor(clRed);
    TFont font;
    font.SetHeight(-20);
    QRect box;
    const QImage image = Render(fx, font, "I", QSize(40, 40), QPoint(5, 5), clLime, c.enabled, &box);
    const int row = box.center().y();
    std::vector<QColor> colours;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, row) != Qt::black)
            colours.push_back(image.pixelColor(x, row));
    ASSERT_FALSE(colours.empty());
    EXPECT_EQ(colours.front(), c.first);
    EXPECT_EQ(colours.back(), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FontFxStyle,
    ::testing::Values(TStyleCase{"plain", TFontFx::fxNone, true, TFontFx::dsAuto, Qt::green, Qt::green},
                      TStyleCase{"raised", TFontFx::fxRaised, true, TFontFx::dsAuto, Qt::cyan, Qt::red},
                      TStyleCase{"lowered", TFontFx::fxLowered, true, TFontFx::dsAuto, Qt::red, Qt::cyan},
                      TStyleCase{"shadow", TFontFx::fxShadow, true, TFontFx::dsAuto, Qt::green, Qt::red},
                      TStyleCase{"disabledEmbossed", TFontFx::fxRaised, false, TFontFx::dsAuto,
                                 QColor(128, 128, 128), Qt::white},
                      TStyleCase{"disabledAsItIs", TFontFx::fxShadow, false, TFontFx::dsNone, Qt::green,
                                 Qt::red}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FontFx, ATurnedCaptionStandsAcrossItsBox)
{
    TFontFx fx;
    fx.SetAngle(90);
    TFont font;
    font.SetHeight(-12);
    const QImage image = Render(fx, font, "WWWW", QSize(), QPoint(0, 0), clWhite, true);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                drawn |= QRect(x, y, 1, 1);
    EXPECT_GT(drawn.height(), 2 * drawn.width()) << "the caption runs upwards";
    EXPECT_TRUE(image.rect().contains(drawn));
}

} // namespace
