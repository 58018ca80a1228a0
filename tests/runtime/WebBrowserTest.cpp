#include "runtime/WebBrowser.h"

#include <gtest/gtest.h>

// Only refusals are tested: a real success would start the desktop's browser.
TEST(TWebBrowser, RefusesOverlongTextsWithoutOpeningAnything)
{
    TPlatformWebBrowser browser;
    const QString tooLong(TWebBrowser::kMaxTextLength + 1, QChar('a'));
    EXPECT_LE(browser.OpenWebAddress(tooLong, {}, {}), 32);
    EXPECT_LE(browser.OpenWebAddress("http://example.invalid/", tooLong, {}), 32);
    EXPECT_LE(browser.OpenWebAddress("http://example.invalid/", {}, tooLong), 32);
}

TEST(TWebBrowser, AnEmptyAddressFails)
{
    TPlatformWebBrowser browser;
    EXPECT_LE(browser.OpenWebAddress({}, {}, {}), 32);
}
