#pragma once

#include <QAction>
#include <QString>

#include "runtime/Component.h"

// An item of a popup menu: a caption and a click handler, which receives the item as its sender.
class TMenuItem : public QAction, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMenuItem)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TMenuItem(QObject *parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);

    // Acts as a choice of the item by the user.
    void Click();

    TNotifyEvent OnClick;
};
