#include "skin/Mnemonic.h"

#include <QKeySequence>
#include <QWidget>

int GrabMnemonic(QWidget *widget, int formerId, const QString &caption)
{
    if (formerId)
        widget->releaseShortcut(formerId);
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    return mnemonic.isEmpty() ? 0 : widget->grabShortcut(mnemonic);
}
