#include "runtime/PopupMenu.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "runtime/MenuItem.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

TMenuItem *NewItem(const QString &caption, QObject *parent = nullptr)
{
    auto *item = new TMenuItem(parent);
    item->SetCaption(caption);
    return item;
}

} // namespace

TEST(TPopupMenu, ItemsAreAppendedInOrderAndClearedAwayAtRunTime)
{
    TPopupMenu menu;
    menu.Add(NewItem("FS1"));
    menu.Add(NewItem("FS2"));
    menu.Add(NewItem("FS1"));
    ASSERT_EQ(menu.Count(), 3);
    EXPECT_EQ(menu.Item(0)->Caption(), "FS1");
    EXPECT_EQ(menu.Item(1)->Caption(), "FS2");
    EXPECT_EQ(menu.Item(2)->parent(), &menu);
    EXPECT_EQ(menu.Item(3), nullptr);
    EXPECT_EQ(menu.Item(-1), nullptr);

    QPointer<TMenuItem> first = menu.Item(0);
    menu.Clear();
    EXPECT_EQ(menu.Count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST(TPopupMenu, AnItemAddedTwiceIsListedOnce)
{
    TPopupMenu menu;
    TMenuItem *item = NewItem("CPU");
    menu.Add(item);
    menu.Add(item);
    menu.Add(nullptr);
    EXPECT_EQ(menu.Count(), 1);
}

TEST(TPopupMenu, AStoredItemJoinsTheMenuThroughInsertChild)
{
    TPopupMenu menu;
    TMenuItem *item = NewItem("NCP", &menu);
    EXPECT_EQ(menu.Count(), 0);
    menu.InsertChild(item);
    menu.InsertChild(new QObject(&menu));
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0), item);
}

TEST(TPopupMenu, ADeletedItemLeavesTheMenu)
{
    TPopupMenu menu;
    menu.Add(NewItem("FS1"));
    menu.Add(NewItem("FS2"));
    delete menu.Item(0);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Caption(), "FS2");
}

TEST(TMenuItem, ChoosingAnItemCallsItsHandlerWithTheItemAsSender)
{
    TPopupMenu menu;
    TMenuItem *item = NewItem("FS1");
    menu.Add(item);
    QObject *sender = nullptr;
    item->OnClick = [&sender](QObject *s) { sender = s; };
    EXPECT_EQ(item->Event("OnClick"), &item->OnClick);

    QTimer::singleShot(50, [&menu, item] {
        menu.setActiveAction(item);
        item->trigger();
        menu.close();
    });
    menu.Popup(QPoint(10, 10));
    EXPECT_EQ(sender, item);
}

TEST(TMenuItem, AnErrorInTheHandlerIsShownAndAHandlerMayClearItsOwnMenu)
{
    TRecordingPresenter presenter;
    TAdapterOverride<TMessagePresenter> override(presenter);
    TPopupMenu menu;
    TMenuItem *item = NewItem("FS1");
    menu.Add(item);
    item->OnClick = [&menu](QObject *) {
        menu.Clear();
        throw Exception("no rights");
    };
    EXPECT_NO_THROW(item->trigger());
    EXPECT_EQ(menu.Count(), 0);
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "no rights");
}
