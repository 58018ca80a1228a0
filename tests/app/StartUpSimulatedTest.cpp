#include <gtest/gtest.h>

#include "app/UMain.h"
#include "netware/nwbase.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"
#include "runtime/ProcessState.h"
#include "tests/app/SimulatedClient.h"

// Start-up on the simulated client's built-in network, loaded the way the program loads it.
TEST(StartUpOnTheSimulatedClient, OffersExactlyTheServersThatAnswerInListOrder)
{
    qunsetenv("NWSIM_SCENARIO");
    ProcessState::ResetAll();
    TSimulatedClient client;
    TFMain form;

    form.StartUp();

    QStringList menu;
    for (int i = 0; i < form.PServer->Count(); ++i)
        menu << form.PServer->Item(i)->Caption();
    EXPECT_EQ(menu, QStringList({"KESTREL", "LARCH", "QUARRY", "QUARRY"}));
    EXPECT_TRUE(client.presenter.boxes.empty());
    ASSERT_TRUE(MainUnit().NWClient);
    EXPECT_TRUE(MainUnit().NWClient->NDSAvailable());
    MainUnit().NWClient.reset();
}
