#include "runtime/PopupMenu.h"

#include "runtime/MenuItem.h"

TPopupMenu::TPopupMenu(QWidget *parent) : QMenu(parent) {}

void TPopupMenu::Add(TMenuItem *item)
{
    if (!item || actions().contains(item))
        return;
    item->setParent(this);
    addAction(item);
}

void TPopupMenu::Clear()
{
    for (TMenuItem *item : Items()) {
        removeAction(item);
        item->deleteLater();
    }
}

int TPopupMenu::Count() const
{
    return Items().size();
}

TMenuItem *TPopupMenu::Item(int index) const
{
    const QList<TMenuItem *> items = Items();
    return index >= 0 && index < items.size() ? items.at(index) : nullptr;
}

void TPopupMenu::Popup(const QPoint &globalPosition)
{
    exec(globalPosition);
}

void TPopupMenu::InsertChild(QObject *child)
{
    Add(qobject_cast<TMenuItem *>(child));
}

QList<TMenuItem *> TPopupMenu::Items() const
{
    QList<TMenuItem *> items;
    for (QAction *action : actions())
        if (auto *item = qobject_cast<TMenuItem *>(action))
            items.append(item);
    return items;
}
