#include "runtime/WebBrowser.h"

#include <QDesktopServices>
#include <QUrl>

TWebBrowser &TWebBrowser::Platform()
{
    static TPlatformWebBrowser browser;
    return browser;
}

int TPlatformWebBrowser::OpenWebAddress(const QString &address, const QString &parameters,
                                        const QString &folder)
{
    for (const QString *text : {&address, &parameters, &folder})
        if (text->size() > kMaxTextLength)
            return kBadFormat;
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid())
        return kFileNotFound;
    return QDesktopServices::openUrl(url) ? kOpened : kFileNotFound;
}
