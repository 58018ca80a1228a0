#include "skin/FontFx.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "runtime/Font.h"

namespace {

// The caption drawn in lime on black, into the box of its extent at (5, 5), which `box` receives.
QImage Render(const TFontFx &fx, const QString &caption, bool enabled, QRect &box)
{
    TFont font;
    font.SetHeight(-20);
    const QSize text = QFontMetrics(font.ToQFont()).size(Qt::TextSingleLine, caption);
    box = QRect(QPoint(5, 5), fx.Extent(text));
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font.ToQFont());
    fx.Draw(painter, box, text, Qt::AlignLeft | Qt::AlignTop, caption, clLime, enabled);
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
                                           TExtentCase{TFontFx::fxShadow, 3, 0, QSize(23, 13)},
                                           TExtentCase{TFontFx::fxLowered, 100, 0, QSize(52, 42)},
                                           TExtentCase{TFontFx::fxNone, 0, -90, QSize(10, 20)},
                                           TExtentCase{TFontFx::fxNone, 0, 540, QSize(20, 10)},
                                           TExtentCase{TFontFx::fxNone, 0, 45, QSize(22, 22)}));

struct TStyleCase
{
    const char *name;
    TFontFx::TStyle3D style;
    bool enabled;
    // The colours the caption's middle row starts and ends with, left to right.
    QColor first;
    QColor last;
};

class FontFxStyle : public ::testing::TestWithParam<TStyleCase>
{
};

// A caption "I": its stem's row shows each pass beside the next.
TEST_P(FontFxStyle, DrawsItsPassesBesideTheCaption)
{
    TFontFx fx;
    fx.SetStyle3D(GetParam().style);
    fx.SetHighlightColor(clAqua);
    fx.SetShadowColor(clRed);
    QRect box;
    const QImage image = Render(fx, "I", GetParam().enabled, box);
    std::vector<QColor> row;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, box.center().y()) != Qt::black)
            row.push_back(image.pixelColor(x, box.center().y()));
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(row.front(), GetParam().first);
    EXPECT_EQ(row.back(), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Styles, FontFxStyle,
                         ::testing::Values(TStyleCase{"plain", TFontFx::fxNone, true, Qt::green, Qt::green},
                                           TStyleCase{"raised", TFontFx::fxRaised, true, Qt::cyan, Qt::red},
                                           TStyleCase{"lowered", TFontFx::fxLowered, true, Qt::red, Qt::cyan},
                                           TStyleCase{"shadow", TFontFx::fxShadow, true, Qt::green, Qt::red},
                                           TStyleCase{"disabled", TFontFx::fxRaised, false,
                                                      QColor(128, 128, 128), Qt::white}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FontFx, ATurnedCaptionRunsUpwardsInsideItsBox)
{
    TFontFx fx;
    fx.SetAngle(90);
    QRect box;
    const QImage image = Render(fx, "WWW", true, box);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                drawn |= QRect(x, y, 1, 1);
    EXPECT_TRUE(box.contains(drawn));
    EXPECT_GT(drawn.height(), 2 * drawn.width());
}

} // namespace
