#include <sstream>

#include <gtest/gtest.h>

#include "netware/DateConversionError.h"
#include "netware/Nwnds.h"
#include "nwsim/Network.h"
#include "nwsim/ScenarioParser.h"
#include "nwsim/Text.h"

#include "netware/NWServer.h"
#include "netware/NWServerInfo.h"
#include "netware/NWServerStats.h"
#include "netware/NWLastError.h"
#include "netware/nwbase.h"
#include "netware/NWIdentity.h"
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

namespace {

const char *const kIdentityScenario = R"(tree ACORN_TREE
login CN=OPS.OU=NET.O=ACORN Olive Penhallow
context OU=NET.O=ACORN
server ALPHA version=4.11 tree=yes manager=no broadcast=off date=2026-13-01
server BETA version=3.12 rights=no date=2025-12-24
bindery ALPHA printserver PS1 id=12345 Print Spooler
object CN=PRN1.OU=NET.O=ACORN Printer
attribute CN=PRN1.OU=NET.O=ACORN Description Laser in room 4
drive F ALPHA SYS:
drive G ALPHA SYS:PUBLIC
firstdrive F
errormode dos
)";

// A network of its own for the test, and the built-in one back afterwards for the tests that expect it.
class TSimulatedIdentity : public TSimulatedClient
{
protected:
    TSimulatedIdentity()
    {
        std::istringstream scenario(kIdentityScenario);
        nwsim::Network::Reset(nwsim::ScenarioParser::Parse(scenario));
    }
    ~TSimulatedIdentity() override { nwsim::Network::Reset(nwsim::Scenario::BuiltIn()); }

    static QString Hex(uint32_t value) { return QString::number(value, 16).toUpper(); }
};

} // namespace

TEST_P(TSimulatedIdentity, ReadsEveryPropertyFromTheScenario)
{
    const bool directory = GetParam().directory;
    TNWBase base;
    ASSERT_TRUE(base.NetAvailable());
    EXPECT_EQ(base.NDSAvailable(), directory);
    EXPECT_NE(base.ServerHandle(), 0u);
    EXPECT_EQ(base.Version(), "1.21 / 3.34 - 11 Oct 1997");
    EXPECT_EQ(base.ServerName(), "ALPHA");
    EXPECT_EQ(base.DefaultServer(), "ALPHA");
    EXPECT_EQ(base.ServerVersion(), "4.11");
    EXPECT_EQ(base.LoginID(), directory ? "CN=OPS.OU=NET.O=ACORN" : "OPS");
    EXPECT_EQ(base.LoginFullName(), "Olive Penhallow");
    EXPECT_EQ(base.NWObjectType(), 0x0100);
    EXPECT_EQ(base.ObjectType(), TNWBase::nwObjTypeUser);
    EXPECT_EQ(base.ObjectID(), directory ? Hex(nwsim::text::Hash("CN=OPS.OU=NET.O=ACORN") | 0x01000000u)
                                         : Hex((nwsim::text::Hash("ALPHA/OPS") & 0x00FFFFFFu) | 0x0A000000u));
    EXPECT_EQ(base.ConnectionID(), 2 + nwsim::text::Hash("ALPHA") % 180);
    EXPECT_EQ(base.MaxServerConns(), 16);
    EXPECT_TRUE(base.ConsoleOperator());
    EXPECT_FALSE(base.Manager());
    EXPECT_EQ(base.FirstNetworkDrive(), QChar('F'));
    EXPECT_EQ(base.NextNetworkDrive(), QChar('H'));
    EXPECT_EQ(base.BroadcastMode(), directory ? TNWBase::nwBroadcastOff : TNWBase::nwBroadcastOn);
    EXPECT_EQ(base.ShellErrorMode(), TNWBase::nwErrInteractive);
    EXPECT_THROW(base.ServerDate(), EDateConversionError);
    EXPECT_EQ(base.LastError()->NWProp(), "0000");
    EXPECT_EQ(base.LastError()->NWPrint(), "0000");
}

TEST_P(TSimulatedIdentity, WritesReachTheClient)
{
    TNWBase base;
    base.SetShellErrorMode(TNWBase::nwErrNetware);
    EXPECT_EQ(SetShellErrorMode(0), 1);
    base.SetBroadcastMode(TNWBase::nwBroadcastServerOnly);
    if (GetParam().directory) {
        EXPECT_EQ(base.BroadcastMode(), TNWBase::nwBroadcastServerOnly);
    }

    base.SetServerName(QStringLiteral("beta"));
    EXPECT_EQ(base.ServerName(), "BETA");
    EXPECT_EQ(base.ServerDate().date(), QDate(2025, 12, 24));
    EXPECT_FALSE(base.ConsoleOperator());
    EXPECT_EQ(base.ServerVersion(), "3.12");
    base.SetServerDate(QDateTime(QDate(2026, 3, 2), QTime(12, 0)));
    EXPECT_EQ(base.ServerDate().date(), QDate(2026, 3, 2));

    base.SetDefaultServer(QStringLiteral("beta"));
    EXPECT_EQ(base.DefaultServer(), "BETA");
    EXPECT_FALSE(TNWLib::Shared().directoryMode);
}

TEST_P(TSimulatedIdentity, BinderyAndDirectoryObjectsOfTheScenario)
{
    TNWBase base;
    EXPECT_EQ(GetBinderyObjectType(0, QStringLiteral("ps1")), 0x0700);
    EXPECT_EQ(GetFullName(0, QStringLiteral("ps1")), "Print Spooler");
    QString text;
    EXPECT_EQ(ReadObjectAttribute({}, QStringLiteral("CN=PRN1.OU=NET.O=ACORN"), 20, text), GetParam().directory);
    EXPECT_EQ(text, GetParam().directory ? "Laser in room 4" : "");
    if (!GetParam().directory) {
        EXPECT_EQ(ObjectIDText(0, QStringLiteral("PS1"), 0x0700), "12345");
    }
}

INSTANTIATE_TEST_SUITE_P(Clients, TSimulatedIdentity,
                         ::testing::Values(TVariant{"Current", SEMBROLIN_BIN_DIR, true},
                                           TVariant{"Legacy", SEMBROLIN_BIN_DIR "/legacy", false}));
