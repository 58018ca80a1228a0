#include "runtime/MenuItem.h"

#include "runtime/ErrorBox.h"

TMenuItem::TMenuItem(QObject *parent) : QAction(parent)
{
    PublishEvent(QStringLiteral("OnClick"), OnClick);
    connect(this, &QAction::triggered, this, &TMenuItem::Click);
}

void TMenuItem::SetCaption(const QString &caption)
{
    if (caption != text())
        setText(caption);
}

void TMenuItem::Click()
{
    CallHandler(OnClick, this);
}
