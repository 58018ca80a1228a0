#include "skin/CoolForm.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include <QTest>
#include <QtEndian>

#include "runtime/Form.h"
#include "skin/RegionData.h"
#include "skin/RegionType.h"
#include "tests/skin/CoolFormPeer.h"

namespace {

using TCoolFormPeer = TTestPeer<TCoolForm>;

// The main window's mask: the title strip and the body, without rows 22 to 24 and column 0.
const QByteArray kStoredMask = QByteArray::fromHex("40000000"
                                                   "20000000 01000000 02000000 20000000"
                                                   "01000000 00000000 74010000 bc000000"
                                                   "01000000 00000000 74010000 16000000"
                                                   "01000000 19000000 74010000 bc000000");

QByteArray WithInt(QByteArray block, int offset, int32_t value)
{
    qToLittleEndian(value, block.data() + offset);
    return block;
}

TEST(RegionData, ReadsAndWritesTheStoredMaskByteForByte)
{
    ASSERT_EQ(kStoredMask.size(), 68);
    const std::optional<QRegion> region = RegionData::Read(kStoredMask);
    ASSERT_TRUE(region);
    EXPECT_EQ(*region, QRegion(1, 0, 371, 22) + QRegion(1, 25, 371, 163));
    EXPECT_EQ(RegionData::Write(region), kStoredMask);
}

TEST(RegionData, NoRegionIsFourZeroBytesBothWays)
{
    EXPECT_EQ(RegionData::Write(std::nullopt), QByteArray(4, '\0'));
    EXPECT_FALSE(RegionData::Read(QByteArray(4, '\0')));
}

struct TMalformedCase
{
    const char *name;
    QByteArray block;
};

void PrintTo(const TMalformedCase &c, std::ostream *os)
{
    *os << c.name;
}

class RegionDataMalformed : public ::testing::TestWithParam<TMalformedCase>
{
};

TEST_P(RegionDataMalformed, GivesNoRegion)
{
    EXPECT_FALSE(RegionData::Read(GetParam().block));
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, RegionDataMalformed,
    ::testing::Values(TMalformedCase{"empty", {}}, TMalformedCase{"shortCount", kStoredMask.left(3)},
                      TMalformedCase{"truncated", kStoredMask.left(67)},
                      TMalformedCase{"trailing", kStoredMask + '\0'},
                      TMalformedCase{"hugeN", WithInt(kStoredMask, 0, -1)},
                      TMalformedCase{"nBelowHeader", WithInt(kStoredMask.left(20), 0, 16)},
                      TMalformedCase{"headerSize", WithInt(kStoredMask, 4, 36)},
                      TMalformedCase{"kind", WithInt(kStoredMask, 8, 2)},
                      TMalformedCase{"countTooHigh", WithInt(kStoredMask, 12, 3)},
                      TMalformedCase{"countHuge", WithInt(WithInt(kStoredMask, 12, 1 << 28), 16, 0)},
                      TMalformedCase{"dataSize", WithInt(kStoredMask, 16, 48)},
                      TMalformedCase{"invertedBounds", WithInt(kStoredMask, 28, 0)},
                      TMalformedCase{"invertedRectangle", WithInt(kStoredMask, 56, -5)},
                      TMalformedCase{"absurdRectangle",
                                     WithInt(WithInt(kStoredMask, 32, 1 << 30), 64, 1 << 30)},
                      TMalformedCase{"outsideBounds", WithInt(kStoredMask, 60, 400)}),
    [](const auto &info) { return std::string(info.param.name); });

// Whatever a stored file holds, reading it neither crashes nor over-reads; what it accepts it writes back
// as a block that reads the same.
TEST(RegionData, SurvivesThousandsOfMutatedBlocks)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 5000; ++round) {
        QByteArray block = kStoredMask;
        const int mutations = 1 + int(random() % 4);
        for (int m = 0; m < mutations; ++m) {
            switch (random() % 3) {
            case 0:
                block[int(random() % block.size())] = char(random());
                break;
            case 1:
                block.truncate(int(random() % (block.size() + 1)));
                break;
            default:
                block.append(char(random()));
                break;
            }
            if (block.isEmpty())
                block = kStoredMask;
        }
        if (const std::optional<QRegion> region = RegionData::Read(block)) {
            EXPECT_EQ(RegionData::Read(RegionData::Write(region)), region);
        }
    }
}

class CoolFormTest : public ::testing::Test
{
protected:
    CoolFormTest()
    {
        QImage skin(40, 30, QImage::Format_RGB888);
        skin.fill(Qt::black);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 40; ++x)
                skin.setPixelColor(x, y, Qt::red);
        skin.setPixelColor(5, 20, Qt::white);
        TCoolFormPeer::SetBitmap(*coolForm, skin);
    }

    TForm form;
    TCoolForm *coolForm = new TCoolForm(&form);
};

TEST_F(CoolFormTest, TakesTheWindowsBorderAndFillsItsClientArea)
{
    EXPECT_EQ(form.BorderStyle(), TForm::bsNone);
    EXPECT_EQ(form.size(), QSize(40, 30));
    form.show();
    form.SetClientHeight(20);
    EXPECT_EQ(coolForm->geometry(), QRect(0, 0, 40, 20));
}

TEST_F(CoolFormTest, TheFormsStoredClientSizeWinsOverTheSkinOnceLoaded)
{
    form.BeginLoading();
    form.SetClientHeight(25);
    TCoolFormPeer::SetBitmap(*coolForm, QImage(40, 30, QImage::Format_RGB888));
    EXPECT_EQ(form.height(), 30);
    form.Loaded();
    EXPECT_EQ(form.size(), QSize(40, 25));
}

class CoolFormPinned : public CoolFormTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(CoolFormPinned, StaysAtTheOrigin)
{
    coolForm->setProperty("Left", GetParam());
    coolForm->setProperty("Top", GetParam());
    EXPECT_EQ(coolForm->pos(), QPoint(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Values, CoolFormPinned, ::testing::Values(50, -3, 0, 1));

TEST_F(CoolFormTest, ShapesTheWindowWithItsOwnCopyOfTheStoredMask)
{
    coolForm->LoadMaskData(kStoredMask);
    const QRegion expected = QRegion(1, 0, 371, 22) + QRegion(1, 25, 371, 163);
    EXPECT_EQ(form.mask(), expected);
    EXPECT_EQ(TCoolFormPeer::MaskBytes(*coolForm), kStoredMask.mid(4));
    EXPECT_EQ(coolForm->SaveMaskData(), kStoredMask);

    // A new skin drops the control's region; the window keeps its shape.
    TCoolFormPeer::SetBitmap(*coolForm, QImage(20, 20, QImage::Format_RGB888));
    EXPECT_EQ(coolForm->SaveMaskData(), QByteArray(4, '\0'));
    EXPECT_EQ(form.mask(), expected);
}

TEST_F(CoolFormTest, AMalformedMaskLeavesTheWindowRectangular)
{
    coolForm->LoadMaskData(WithInt(kStoredMask, 12, 7));
    EXPECT_FALSE(coolForm->Mask()->RegionHandle());
    EXPECT_TRUE(form.mask().isEmpty());
}

class CoolFormTransparent : public CoolFormTest, public ::testing::WithParamInterface<QImage::Format>
{
};

// A palette skin may list the key colour twice; every entry of it is left out.
TEST_P(CoolFormTransparent, LeavesOutTheBottomLeftColour)
{
    QImage skin = TCoolFormPeer::Bitmap(*coolForm).convertToFormat(GetParam());
    if (skin.format() == QImage::Format_Indexed8) {
        QList<QRgb> colours = skin.colorTable();
        colours.append(qRgb(0, 0, 0));
        skin.setColorTable(colours);
        skin.setPixel(3, 25, uint(colours.size() - 1));
    }
    TCoolFormPeer::SetBitmap(*coolForm, skin);
    form.SetColor(TColor(0x00FF00));
    coolForm->SetTransparent(true);
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(3, 25), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(4, 25), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(5, 20), QColor(Qt::white));
    shot.save(QStringLiteral("CoolForm.png"));
}

INSTANTIATE_TEST_SUITE_P(Formats, CoolFormTransparent,
                         ::testing::Values(QImage::Format_RGB888, QImage::Format_Indexed8, QImage::Format_RGB32));

struct TPictureCase
{
    const char *name;
    QSize size;
};

class CoolFormPicture : public CoolFormTest, public ::testing::WithParamInterface<TPictureCase>
{
};

// A name the program does not embed, or one that is no picture, leaves no bitmap.
TEST_P(CoolFormPicture, ReadsTheEmbeddedBitmapOfItsName)
{
    coolForm->SetPicture(QString::fromLatin1(GetParam().name));
    EXPECT_EQ(TCoolFormPeer::Bitmap(*coolForm).size(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CoolFormPicture,
    ::testing::Values(TPictureCase{"skin.png", QSize(371, 188)}, TPictureCase{"exit.png", QSize(9, 10)},
                      TPictureCase{"missing.png", QSize(0, 0)}, TPictureCase{"FMain.layout", QSize(0, 0)}),
    [](const auto &info) { return QString::fromLatin1(info.param.name).replace('.', '_').toStdString(); });

class CoolFormDrag : public CoolFormTest, public ::testing::WithParamInterface<Qt::MouseButton>
{
};

// Only the press is the control's own event; the moves and the release belong to the drag.
TEST_P(CoolFormDrag, KeepsTheGrabbedPointUnderThePointer)
{
    std::string raised;
    coolForm->OnMouseDown = [&raised](QObject *, TControl::TMouseButton, TShiftState, int, int) {
        raised += 'd';
    };
    coolForm->OnMouseMove = [&raised](QObject *, TShiftState, int, int) { raised += 'm'; };
    coolForm->OnMouseUp = [&raised](QObject *, TControl::TMouseButton, TShiftState, int, int) {
        raised += 'u';
    };
    form.move(100, 100);
    form.show();
    const QPoint grabbed = coolForm->mapToGlobal(QPoint(12, 7));
    QTest::mousePress(coolForm, GetParam(), {}, coolForm->mapFromGlobal(grabbed));
    EXPECT_TRUE(TCoolFormPeer::Dragging(*coolForm));
    for (const QPoint travel : {QPoint(5, 0), QPoint(30, -20), QPoint(-8, 44)}) {
        QTest::mouseMove(coolForm, coolForm->mapFromGlobal(grabbed + travel));
        EXPECT_EQ(form.pos(), QPoint(100, 100) + travel);
    }
    QTest::mouseRelease(coolForm, GetParam(), {}, coolForm->mapFromGlobal(grabbed + QPoint(-8, 44)));
    EXPECT_FALSE(TCoolFormPeer::Dragging(*coolForm));
    QTest::mouseMove(coolForm, QPoint(1, 1));
    EXPECT_EQ(form.pos(), QPoint(92, 144));
    EXPECT_EQ(raised, "d");
}

INSTANTIATE_TEST_SUITE_P(Buttons, CoolFormDrag, ::testing::Values(Qt::LeftButton, Qt::RightButton));

TEST_F(CoolFormTest, NotDraggableDoesNotMoveTheWindow)
{
    coolForm->SetDraggable(false);
    form.move(100, 100);
    form.show();
    QTest::mousePress(coolForm, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(coolForm, QPoint(30, 30));
    EXPECT_EQ(form.pos(), QPoint(100, 100));
    EXPECT_EQ(TCoolFormPeer::Grab(*coolForm), QPoint(10, 10));
}

} // namespace
