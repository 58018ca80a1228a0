#include "netware/NWNotice.h"

#include <QCursor>
#include <QGuiApplication>

#include "netware/NWText.h"
#include "runtime/MessageBox.h"

namespace {

class TDefaultCursor
{
public:
    TDefaultCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor)); }
    ~TDefaultCursor() { QGuiApplication::restoreOverrideCursor(); }
    TDefaultCursor(const TDefaultCursor &) = delete;
    TDefaultCursor &operator=(const TDefaultCursor &) = delete;
};

} // namespace

void ShowNotice(const QString &text)
{
    const QString lines = ReplaceText(text, QStringLiteral(";"), QStringLiteral("\n"));
    const TDefaultCursor cursor;
    ShowInformation(lines);
}
