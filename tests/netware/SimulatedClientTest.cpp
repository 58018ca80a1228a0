#include <gtest/gtest.h>

#include "netware/NWServer.h"
#include "netware/NWServerInfo.h"
#include "netware/NWServerStats.h"
#include "netware/NWLastError.h"
#include "netware/nwbase.h"
#include "netware/nwlib.h"
#include "runtime/Adapter.h"
#include "runtime/LibraryLoader.h"
#include "runtime/ProcessState.h"

// The layer against the simulated client, loaded through the platform's loader from the folder the build
// puts it in: the current client, and the older one whose calls run the fallback paths.
namespace {

struct TVariant
{
    const char *name;
    std::string folder;
    bool directory;
};

void PrintTo(const TVariant &variant, std::ostream *out)
{
    *out << variant.name;
}

class TSimulatedClient : public ::testing::TestWithParam<TVariant>
{
protected:
    TSimulatedClient() : loader(GetParam().folder)
    {
        qunsetenv("NWSIM_SCENARIO");
        ProcessState::ResetAll();
    }

    static QStringList Names(const TNWServerList &list)
    {
        QStringList names;
        for (const TNWServerEntry &entry : list)
            names << entry.name;
        return names;
    }

    TPlatformLibraryLoader loader;
    TAdapterOverride<TLibraryLoader> override{loader};
};

} // namespace

TEST_P(TSimulatedClient, StartsOnThePrimaryConnection)
{
    TNWBase base;

    EXPECT_TRUE(base.NetAvailable());
    EXPECT_NE(base.ServerHandle(), 0u);
    EXPECT_EQ(base.NDSAvailable(), GetParam().directory);
    EXPECT_EQ(GetConnectionServerName(0), "KESTREL");
}

TEST_P(TSimulatedClient, ListsEveryConnectionInScanOrder)
{
    TNWBase base;

    EXPECT_EQ(Names(GetServerList()),
              QStringList({"KESTREL", "LARCH", "OLDMILL", "FENWICK", "QUARRY", "QUARRY"}));
}

TEST_P(TSimulatedClient, SamplesTheServersWithConsoleRightsOnly)
{
    TNWBase base;

    for (const char *name : {"KESTREL", "larch", "QUARRY"}) {
        const uint32_t conn = ConnectionByName(name);
        ASSERT_NE(conn, 0u) << name;
        TNWServerStats stats;
        ASSERT_TRUE(GetServerStats(conn, stats)) << name;
        EXPECT_LE(stats.Utilization(), 100u) << name;
    }

    TNWServerStats stats;
    EXPECT_FALSE(GetServerStats(ConnectionByName("OLDMILL"), stats));
    EXPECT_EQ(base.LastError()->NWServer(), "89FB");
    EXPECT_FALSE(GetServerStats(ConnectionByName("FENWICK"), stats));
    EXPECT_EQ(base.LastError()->NWServer(), "89C6");
}

TEST_P(TSimulatedClient, AnUnknownNameResolvesToNothing)
{
    TNWBase base;

    EXPECT_EQ(ConnectionByName("NOSUCHSERVER"), 0u);
    EXPECT_NE(base.LastError()->NWServer(), "0000");
}

TEST_P(TSimulatedClient, TellsTheServersVersion)
{
    TNWBase base;

    TNWServerInfo info;
    ASSERT_TRUE(GetServerInformation(ConnectionByName("OLDMILL"), info));
    EXPECT_EQ(info.version, "3.12");
    ASSERT_TRUE(GetServerInformation(0, info));
    EXPECT_EQ(info.serverName, "KESTREL");
    EXPECT_EQ(info.version, "4.11");
}

INSTANTIATE_TEST_SUITE_P(Clients, TSimulatedClient,
                         ::testing::Values(TVariant{"Current", SEMBROLIN_BIN_DIR, true},
                                           TVariant{"Legacy", SEMBROLIN_BIN_DIR "/legacy", false}));
