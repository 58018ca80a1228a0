#include "skin/LinkLabel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QTest>

namespace {

class LinkLabelTest : public ::testing::Test
{
protected:
    LinkLabelTest()
    {
        window.resize(300, 100);
        label->SetShadowSize(0);
        label->SetBounds(100, 20, 181, 13);
        label->SetCaption("Click to visit Pellmont");
        label->OnMouseEnter = [this](QObject *) { events += 'E'; };
        label->OnMouseLeave = [this](QObject *) { events += 'L'; };
        window.show();
    }

    int TextWidth(const QString &text) const
    {
        return QFontMetrics(label->Font()->ToQFont()).size(Qt::TextShowMnemonic, text).width();
    }
    void Enter()
    {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), label->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(label, &enter);
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
    }

    QWidget window;
    TLinkLabel *label = new TLinkLabel(&window);
    QString events;
};

struct TSizeCase
{
    const char *name;
    TCustomLinkLabel::TAlignment alignment;
    const char *caption;
    int shadowSize;
    TCustomLinkLabel::TShadowPosition position;
    int extra;
};

class LinkLabelAutoSize : public LinkLabelTest, public ::testing::WithParamInterface<TSizeCase>
{
};

TEST_P(LinkLabelAutoSize, FitsTheCaptionKeepingTheAlignedEdge)
{
    const TSizeCase &c = GetParam();
    label->SetAlignment(c.alignment);
    const QRect before = label->geometry();
    label->SetShadowPos(c.position);
    label->SetShadowSize(c.shadowSize);
    label->SetCaption(c.caption);
    const QString measured = QString(c.caption).isEmpty() ? QStringLiteral(" ") : QString(c.caption);
    const int lineHeight =
        QFontMetrics(label->Font()->ToQFont())
            .boundingRect(QRect(0, 0, 1000, 100), Qt::TextSingleLine | Qt::TextShowMnemonic, measured)
            .height();
    EXPECT_EQ(label->width(), TextWidth(measured) + 2 + c.extra);
    EXPECT_EQ(label->height(), lineHeight + c.extra);
    if (c.alignment == TCustomLinkLabel::taRightJustify)
        EXPECT_EQ(label->geometry().right(), before.right());
    else
        EXPECT_EQ(label->x(), before.x());
}

using L = TCustomLinkLabel;
INSTANTIATE_TEST_SUITE_P(
    Captions, LinkLabelAutoSize,
    ::testing::Values(
        TSizeCase{"longer", L::taLeftJustify, "Click to visit Harrowby Software", 0, L::spLeftTop, 0},
        TSizeCase{"longerRight", L::taRightJustify, "Click to visit Harrowby Software", 0, L::spLeftTop, 0},
        TSizeCase{"empty", L::taLeftJustify, "", 0, L::spLeftTop, 0},
        TSizeCase{"emptyShadow", L::taLeftJustify, "", 1, L::spRightBottom, 1},
        TSizeCase{"shadow2", L::taLeftJustify, "Pellmont", 2, L::spRightBottom, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LinkLabel, KeepsItsDefaultSizeUntilSomethingSizesIt)
{
    TLinkLabel label;
    EXPECT_EQ(label.size(), QSize(65, 17));
    label.SetCaption(QStringLiteral("Pellmont"));
    EXPECT_NE(label.size(), QSize(65, 17));
}

TEST_F(LinkLabelTest, EntersAndLeavesInPairs)
{
    QApplication::setActiveWindow(&window);
    Enter();
    Enter();
    Leave();
    Leave();
    EXPECT_EQ(events, "EL");
}

TEST_F(LinkLabelTest, NoEnterWhileAnotherApplicationIsActive)
{
    QApplication::setActiveWindow(nullptr);
    Enter();
    EXPECT_EQ(events, "");
}

TEST_F(LinkLabelTest, ADisabledLabelRaisesNoEvents)
{
    QApplication::setActiveWindow(&window);
    label->SetEnabled(false);
    Enter();
    Leave();
    EXPECT_EQ(events, "");
}

TEST_F(LinkLabelTest, LeavingWithTheButtonHeldLeavesOnlyAtRelease)
{
    QApplication::setActiveWindow(&window);
    QCursor::setPos(label->mapToGlobal(QPoint(2, 2)));
    Enter();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QCursor::setPos(window.mapToGlobal(QPoint(5, 80)));
    Leave();
    EXPECT_EQ(events, "E");
    QTest::mouseRelease(label, Qt::LeftButton, {}, label->mapFromGlobal(window.mapToGlobal(QPoint(5, 80))));
    EXPECT_EQ(events, "EL");
}

TEST_F(LinkLabelTest, DrawsItsTextInTheFontColourOnItsColour)
{
    label->SetColor(clBlack);
    label->Font()->SetColor(clLime);
    const QImage image = window.grab(label->geometry()).toImage();
    int lime = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lime += image.pixelColor(x, y) == QColor(0, 255, 0);
    EXPECT_GT(lime, 30);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    image.save(QStringLiteral("LinkLabel.png"));
}

} // namespace
