#include "runtime/PopupMenu.h"

#include <algorithm>

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
    // The toolkit would open an empty menu as an invisible popup that swallows the next click anywhere.
    if (std::ranges::none_of(actions(), &QAction::isVisible))
        return;
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
