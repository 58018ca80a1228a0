#pragma once

#include <QMenu>
#include <QPoint>

#include "runtime/Component.h"

class TMenuItem;

// A popup menu: a non-visual component of its form whose items can change while the program runs.
// The menu owns its items.
class TPopupMenu : public QMenu, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPopupMenu)

public:
    explicit TPopupMenu(QWidget *parent = nullptr);

    // Appends the item and takes it over.
    void Add(TMenuItem *item);
    // Removes every item and deletes it once control returns to the event loop, so that an item's own
    // handler may clear the menu.
    void Clear();
    int Count() const;
    // Null when the index is out of range.
    TMenuItem *Item(int index) const;

    // Shows the menu at a screen position and returns when it closes; a chosen item's handler has run
    // by then.
    void Popup(const QPoint &globalPosition);

    // An item that a stored layout created under the menu.
    void InsertChild(QObject *child) override;

private:
    QList<TMenuItem *> Items() const;
};
