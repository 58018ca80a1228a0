#pragma once

#include <QString>

#include "runtime/Adapter.h"

// Opens a web address with the desktop's default program. The result follows the old shell convention:
// above 32 on success, 32 or less on failure; callers may ignore it.
class TWebBrowser : public TAdapter<TWebBrowser>
{
public:
    static constexpr int kOpened = 42;
    static constexpr int kFileNotFound = 2;
    static constexpr int kBadFormat = 11;
    // Longer texts are refused rather than cut, since a cut address would open the wrong page.
    static constexpr int kMaxTextLength = 1024;

    virtual int OpenWebAddress(const QString &address, const QString &parameters, const QString &folder) = 0;

    static TWebBrowser &Platform();
};

// The desktop's URL handler. Parameters and folder mean nothing to a web address and are only checked.
class TPlatformWebBrowser : public TWebBrowser
{
public:
    int OpenWebAddress(const QString &address, const QString &parameters, const QString &folder) override;
};
