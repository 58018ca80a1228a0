#include <optional>

#include <gtest/gtest.h>

#include <QTest>

#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "skin/ExplorerButton.h"

namespace {

class TExplorerButtonTest : public ::testing::Test
{
protected:
    TExplorerButtonTest()
    {
        window.resize(200, 100);
        button->SetBounds(5, 30, 92, 17);
        button->SetCaption("Select Server");
        button->Font()->SetColor(clWhite);
        menu->Add(new TMenuItem(menu));
        window.show();
    }

    // Presses the button and reports where the menu stood while it was open; the menu has closed by then.
    std::optional<QPoint> MenuPositionAfterPress(Qt::MouseButton mouseButton)
    {
        std::optional<QPoint> shownAt;
        // Bound to this press, so neither the connection nor a pending call outlives the frame; queued from
        // the show, the call runs inside the menu's own loop, once the menu stands where it opened.
        QObject thisPress;
        QObject::connect(menu, &QMenu::aboutToShow, &thisPress, [&] {
            QMetaObject::invokeMethod(
                &thisPress,
                [&] {
                    if (menu->isVisible())
                        shownAt = menu->pos();
                    menu->close();
                },
                Qt::QueuedConnection);
        });
        QTest::mousePress(button, mouseButton, {}, QPoint(10, 8));
        QTest::mouseRelease(button, mouseButton, {}, QPoint(10, 8));
        return shownAt;
    }

    QWidget window;
    TExplorerButton *button = new TExplorerButton(&window);
    TPopupMenu *menu = new TPopupMenu(&window);
};

} // namespace

TEST_F(TExplorerButtonTest, ALeftPressDropsItsMenuDownUnderTheButton)
{
    button->SetDropDownMenu(menu);

    const std::optional<QPoint> shownAt = MenuPositionAfterPress(Qt::LeftButton);

    ASSERT_TRUE(shownAt.has_value());
    EXPECT_EQ(*shownAt, button->mapToGlobal(QPoint(0, button->height())));
}

TEST_F(TExplorerButtonTest, OnlyALeftPressOnAButtonWithAMenuOpensOne)
{
    EXPECT_FALSE(MenuPositionAfterPress(Qt::LeftButton)) << "no menu assigned";
    button->SetDropDownMenu(menu);
    EXPECT_FALSE(MenuPositionAfterPress(Qt::RightButton));
}

TEST_F(TExplorerButtonTest, AMenuThatIsDeletedIsForgotten)
{
    button->SetDropDownMenu(menu);
    delete menu;
    menu = nullptr;

    EXPECT_EQ(button->DropDownMenu(), nullptr);
}

TEST_F(TExplorerButtonTest, ShowsItsCaptionInItsFontColourOverTheParent)
{
    const QImage image = button->grab().toImage();
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            white += image.pixelColor(x, y) == Qt::white;
    EXPECT_GT(white, 20);
}
