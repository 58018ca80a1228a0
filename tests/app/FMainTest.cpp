#include <gtest/gtest.h>

#include "app/Classes.h"
#include "app/UMain.h"
#include "runtime/Application.h"
#include "runtime/MenuItem.h"
#include "runtime/ProcessState.h"
#include "runtime/WebBrowser.h"
#include "runtime/layout/LayoutWriter.h"
#include "resources/Resources.h"
#include "tests/netware/NetWareFixture.h"

namespace {

class TRecordingBrowser : public TWebBrowser
{
public:
    int OpenWebAddress(const QString &address, const QString &, const QString &) override
    {
        opened << address;
        return kOpened;
    }

    QStringList opened;
};

class FMainChrome : public TNetWareFixture
{
protected:
    FMainChrome()
    {
        RegisterClasses();
        form = std::make_unique<TFMain>();
        TApplication::SetMainForm(form.get());
        form->StartUp();
    }

    ~FMainChrome() override { ProcessState::ResetAll(); }

    QObject *MenuItem(const char *name) const { return form->findChild<TMenuItem *>(name); }

    TRecordingBrowser browser;
    TAdapterOverride<TWebBrowser> browsing{browser};
    std::unique_ptr<TFMain> form;
};

} // namespace

TEST_F(FMainChrome, TheTakeMenuSwitchesPageAndCaption)
{
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TCPU));
    qobject_cast<TMenuItem *>(MenuItem("PMNCP"))->Click();
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TNCP));
    EXPECT_EQ(form->BTakes->Caption(), "NCP");
    qobject_cast<TMenuItem *>(MenuItem("PMCPU"))->Click();
    EXPECT_EQ(form->PMain->ActivePage(), static_cast<TTabSheet *>(form->TCPU));
    EXPECT_EQ(form->BTakes->Caption(), "CPU");
}

TEST_F(FMainChrome, TheExpanderCollapsesToTheTopRowsAndBack)
{
    form->BExpander->SetPressed(true);
    form->BExpanderClick(nullptr);
    EXPECT_EQ(form->Height(), 75);
    EXPECT_EQ(form->Width(), 371);
    EXPECT_EQ(form->BExpander->Hint(), "Expand");
    form->BExpander->SetPressed(false);
    form->BExpanderClick(nullptr);
    EXPECT_EQ(form->Height(), 182);
    EXPECT_EQ(form->BExpander->Hint(), "Collapse");
}

TEST_F(FMainChrome, TheLinkAlternatesEveryTickAndOpensTheSiteItNames)
{
    form->RAdClick(nullptr);
    fake.SetCode("NWGetFileServerInfo", NW_ERR_NO_CONSOLE_RIGHTS);
    form->TServerStatsTimer(nullptr);
    EXPECT_EQ(form->RAd->Caption(), TFMain::kMakerText) << "the text turns even when the sample fails";
    form->RAdClick(nullptr);
    form->TServerStatsTimer(nullptr);
    EXPECT_EQ(form->RAd->Caption(), TFMain::kDistributorText);
    form->RAdClick(nullptr);
    EXPECT_EQ(browser.opened,
              QStringList({TFMain::kDistributorAddress, TFMain::kMakerAddress, TFMain::kDistributorAddress}));
}

TEST_F(FMainChrome, TheLinkIsRedUnderThePointer)
{
    form->RAdMouseEnter(nullptr);
    EXPECT_EQ(form->RAd->Font()->Color().Value(), 0x0000FFu);
    form->RAdMouseLeave(nullptr);
    EXPECT_EQ(form->RAd->Font()->Color().Value(), 0x00FF00u);
}

namespace {

// The objects of a layout text, each with its depth, in creation order.
QStringList ObjectLines(const QString &layout)
{
    QStringList objects;
    for (const QString &line : layout.split('\n'))
        if (line.trimmed().startsWith("object "))
            objects << line.trimmed().prepend(QString(line.indexOf("object"), ' '));
    return objects;
}

} // namespace

TEST(FMainLayout, WrittenBackItReadsTheSameTree)
{
    RegisterClasses();
    const QString stored = QString::fromUtf8(ReadResource("FMain.layout"));
    TFMain first;
    const QString written = WriteLayout(&first);
    EXPECT_EQ(ObjectLines(written), ObjectLines(stored));
    TFMain second(written);
    EXPECT_EQ(WriteLayout(&second).toStdString(), written.toStdString());
    ProcessState::ResetAll();
}
