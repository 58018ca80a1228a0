#include <gtest/gtest.h>

#include "app/Classes.h"
#include "app/UMain.h"
#include "netware/nwbase.h"
#include "runtime/Application.h"
#include "runtime/ProcessState.h"
#include "runtime/Exception.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "skin/ExplorerButton.h"
#include "tests/app/UMainPeer.h"
#include "tests/netware/NetWareFixture.h"
#include "tests/runtime/RecordingPresenter.h"

namespace {

using TFormPeer = TTestPeer<TFMain>;

// Remembers, besides each box, whether the program was already ending when it was asked for: such a box
// closes by itself, so the user never has to answer it.
class TStartUpPresenter : public TRecordingPresenter
{
public:
    void Present(TMessageKind kind, const QString &caption, const QString &text) override
    {
        TRecordingPresenter::Present(kind, caption, text);
        closedByItself.push_back(TApplication::Terminated());
    }

    std::vector<bool> closedByItself;
};

// Fails the statistics request of one connection only, as a server without console rights does.
uint32_t g_lockedConnection = 0;
uint32_t NWAPI statsExceptLocked(uint32_t conn, uint8_t *)
{
    TFakeClient::Active().Called("NWGetFileServerInfo");
    return conn == g_lockedConnection ? NW_ERR_NO_CONSOLE_RIGHTS : NW_SUCCESS;
}

class TStartUp : public TNetWareFixture
{
protected:
    TStartUp()
    {
        RegisterClasses();
        form = std::make_unique<TFMain>();
        TApplication::SetMainForm(form.get());
    }

    ~TStartUp() override
    {
        // While the fake client still stands: the client component calls it as it goes.
        ProcessState::ResetAll();
    }

    QStringList ServerMenu() const
    {
        QStringList captions;
        for (int i = 0; i < form->PServer->Count(); ++i)
            captions << form->PServer->Item(i)->Caption();
        return captions;
    }

    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const auto &box : presenter.boxes)
            texts << box.text;
        return texts;
    }

    TStartUpPresenter presenter;
    TAdapterOverride<TMessagePresenter> boxes{presenter};
    std::unique_ptr<TFMain> form;
};

} // namespace

TEST_F(TStartUp, WithRightsOnEveryServerShowsNoBoxAndListsThemInOrder)
{
    form->StartUp();

    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(ServerMenu(), QStringList({"ALPHA", "BETA"}));
    EXPECT_FALSE(TApplication::Terminated());
    EXPECT_EQ(form->BServer->Caption(), "Select Server");
}

TEST_F(TStartUp, BuildingTheMenuAgainReplacesItsItems)
{
    form->StartUp();
    fake.connections.pop_back();

    EXPECT_TRUE(TFormPeer::BuildServerMenu(*form));
    EXPECT_EQ(ServerMenu(), QStringList({"ALPHA"}));
}

TEST_F(TStartUp, ListsAServerReachedTwiceTwiceAndSkipsOneWithoutRights)
{
    fake.connections.push_back({0x103, "GAMMA", 11, 0x53});
    fake.connections.push_back({0x104, "BETA", 12, 0x54});
    g_lockedConnection = 0x103;
    fake.Replace("NWGetFileServerInfo", statsExceptLocked);

    form->StartUp();

    EXPECT_EQ(ServerMenu(), QStringList({"ALPHA", "BETA", "BETA"}));
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(TStartUp, ListsANameThatDoesNotResolveWhenThePrimaryServerAnswers)
{
    fake.connections.push_back({0x103, "delta", 11, 0x53});

    form->StartUp();

    EXPECT_EQ(ServerMenu(), QStringList({"ALPHA", "BETA", "delta"}));
}

TEST_F(TStartUp, WithoutAnyAnsweringServerAsksForConsoleRightsAndRunsOn)
{
    fake.SetCode("NWGetFileServerInfo", NW_ERR_NO_CONSOLE_RIGHTS);

    form->StartUp();

    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].kind, TMessageKind::Information);
    EXPECT_EQ(presenter.boxes[0].caption, "Information");
    EXPECT_EQ(presenter.boxes[0].text, "Sembrolin requires NetWare 4 console rights.");
    EXPECT_EQ(form->PServer->Count(), 0);
    EXPECT_FALSE(TApplication::Terminated());
}

TEST_F(TStartUp, WithoutClientLibrariesTheUserAnswersOneBoxAndTheProgramEnds)
{
    fake.RemoveLibrary(NW_LIB_CALLS);

    form->StartUp();

    EXPECT_EQ(BoxTexts(), QStringList({"NetWare Client APIs are not loaded.",
                                       "Sembrolin requires NetWare 4 console rights."}));
    EXPECT_EQ(presenter.closedByItself, std::vector<bool>({false, true}));
    EXPECT_TRUE(TApplication::Terminated());
    EXPECT_EQ(TApplication::Run(), 0);
}

TEST_F(TStartUp, WithoutPrimaryConnectionTheProgramEnds)
{
    fake.SetCode("NWCCGetPrimConnRef", NW_ERR_INVALID_CONNECTION);
    fake.Remove("NWGetPrimaryConnectionID");

    form->StartUp();

    ASSERT_FALSE(presenter.boxes.empty());
    EXPECT_EQ(presenter.boxes[0].text, "NetWare Client APIs are not loaded.");
    EXPECT_TRUE(TApplication::Terminated());
}

TEST_F(TStartUp, AClientThatCannotBeCreatedIsReportedAndTreatedAsMissing)
{
    MainUnit().CreateClient = []() -> std::unique_ptr<TNWBase> { throw Exception("broken client"); };

    form->StartUp();

    ASSERT_GE(presenter.boxes.size(), 2u);
    EXPECT_EQ(presenter.boxes[0].kind, TMessageKind::Plain);
    EXPECT_EQ(presenter.boxes[0].text, "Unable to load Netware APIs");
    EXPECT_EQ(presenter.boxes[1].text, "NetWare Client APIs are not loaded.");
    EXPECT_FALSE(MainUnit().NWClient);
    EXPECT_TRUE(TApplication::Terminated());
}

TEST_F(TStartUp, ErrorsOfOtherKindsReachTheCaller)
{
    MainUnit().CreateClient = []() -> std::unique_ptr<TNWBase> { throw std::runtime_error("out of memory"); };

    EXPECT_THROW(form->StartUp(), std::runtime_error);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(TStartUp, ChoosingAServerPutsItsNameOnTheButtonAndSelectsItsConnection)
{
    fake.connections.push_back({0x103, "delta", 11, 0x53});
    form->StartUp();
    EXPECT_EQ(TFormPeer::SelectedConnection(*form), 0u) << "no server chosen: the primary connection";

    form->PServer->Item(2)->Click();
    EXPECT_EQ(form->BServer->Caption(), "delta");
    EXPECT_EQ(TFormPeer::SelectedConnection(*form), 0u)
        << "an unresolvable name falls back to the primary connection";

    form->PServer->Item(1)->Click();
    EXPECT_EQ(form->BServer->Caption(), "BETA");
    EXPECT_EQ(TFormPeer::SelectedConnection(*form), 0x102u);
}

TEST_F(TStartUp, ResolvingTheSelectionCostsOneClientCall)
{
    form->StartUp();
    form->PServer->Item(1)->Click();
    fake.ResetCounts();

    TFormPeer::SelectedConnection(*form);

    EXPECT_EQ(fake.TotalCalls(), 1);
}
