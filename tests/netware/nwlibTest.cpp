#include "netware/nwlib.h"

#include <functional>
#include <string>
#include <vector>

#include "netware/DateConversionError.h"
#include "netware/NWServer.h"
#include "netware/Nwnds.h"
#include "netware/NWIdentity.h"
#include "netware/nwbase.h"
#include "tests/netware/NetWareFixture.h"

namespace {

using TNWLibTest = TNetWareFixture;

QStringList names(const TNWServerList &list)
{
    QStringList result;
    for (const TNWServerEntry &entry : list)
        result << entry.name;
    return result;
}

uint32_t unterminatedRefInfo(uint32_t, uint32_t, uint8_t *info)
{
    std::fill(info, info + NW_CONN_REF_INFO_SIZE, uint8_t('X'));
    return NW_SUCCESS;
}

uint32_t unterminatedConnInfo(uint32_t, uint32_t, uint32_t length, void *buffer)
{
    std::fill_n(static_cast<char *>(buffer), length, 'N');
    return NW_SUCCESS;
}

uint32_t unterminatedLoginName(uint32_t, uint16_t, char *name, uint16_t *, uint32_t *, uint8_t *)
{
    std::fill_n(name, NW_NAME_BUFFER_SIZE, 'L');
    return NW_SUCCESS;
}

uint32_t endlessScan(uint32_t *, uint32_t *reference)
{
    *reference = TFakeClient::Active().connections.front().reference;
    return NW_SUCCESS;
}

} // namespace

TEST_F(TNWLibTest, SlotsAreLookedUpOnceFallbacksOnEveryUse)
{
    TNWBase first;
    TNWBase second;
    EXPECT_EQ(fake.Lookups("NWCallsInit"), 2);
    EXPECT_EQ(fake.Lookups("NWCCGetPrimConnRef"), 1);

    for (int i = 0; i < 3; ++i)
        GetConnectionServerName(0x102);
    EXPECT_EQ(fake.Lookups("NWCCGetConnInfo"), 1);

    fake.Remove("NWCCScanConnRefs");
    GetServerList();
    GetServerList();
    EXPECT_EQ(fake.Lookups("NWGetConnectionList"), 2);
}

TEST_F(TNWLibTest, PrimaryConnectionWithoutCacheOpensByReferenceEachTime)
{
    fake.SetCode("NWCallsInit", NW_ERR_NOT_SUPPORTED);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(TNWLib::Shared().primaryConnection, 0u);
    const int lookups = fake.Lookups("NWCCOpenConnByRef");
    EXPECT_EQ(GetPrimaryConnection(), 0x101u);
    EXPECT_EQ(GetPrimaryConnection(), 0x101u);
    EXPECT_EQ(fake.Lookups("NWCCOpenConnByRef"), lookups + 2);
}

TEST_F(TNWLibTest, ConnectionCallsCarryTheClientsExpectedArguments)
{
    fake.SetCode("NWCallsInit", NW_ERR_NOT_SUPPORTED);
    TNWBase base;
    EXPECT_EQ(fake.arguments["NWCCOpenConnByRef"], (std::vector<uint32_t>{0x51, 1, 0}));
    GetConnectionNumber(0x102);
    EXPECT_EQ(fake.arguments["NWCCGetConnInfo"], (std::vector<uint32_t>{0x102, 5, 4}));
    GetConnectionServerName(0x102);
    EXPECT_EQ(fake.arguments["NWCCGetConnInfo"], (std::vector<uint32_t>{0x102, 7, 1025}));
    GetServerList();
    EXPECT_EQ(fake.arguments["NWCCGetAllConnRefInfo"], (std::vector<uint32_t>{0x52, 1}));
}

TEST_F(TNWLibTest, OlderCallsServeWhenTheConnectionLibraryLacksTheNewOnes)
{
    for (const char *name : {"NWCCGetPrimConnRef", "NWCCGetConnInfo", "NWCCScanConnRefs"})
        fake.Remove(name);
    TNWBase base;
    EXPECT_TRUE(base.NetAvailable());
    EXPECT_EQ(fake.Calls("NWGetPrimaryConnectionID"), 1);
    EXPECT_EQ(GetConnectionNumber(0x102), 9);
    EXPECT_EQ(GetConnectionServerName(0x102), "BETA");
    const TNWServerList list = GetServerList();
    EXPECT_EQ(fake.arguments["NWGetConnectionList"], (std::vector<uint32_t>{0, 49}));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].name, "BETA");
    EXPECT_EQ(list[1].value, 0x102u);
}

TEST_F(TNWLibTest, ServerListKeepsOrderAndDuplicatesAndSkipsUnreadableConnections)
{
    fake.connections.push_back({0x103, "GAMMA", 11, 0x53, NW_ERR_INVALID_CONNECTION});
    fake.connections.push_back({0x104, "ALPHA", 12, 0x54});
    TNWBase base;
    const TNWServerList list = GetServerList();
    EXPECT_EQ(names(list), QStringList({"ALPHA", "BETA", "ALPHA"}));
    EXPECT_EQ(list[2].value, 12u);
    EXPECT_EQ(base.LastError()->NWLib(), "8866");
}

TEST_F(TNWLibTest, ServerListIsEmptyWithoutListingCalls)
{
    fake.Remove("NWCCScanConnRefs");
    fake.Remove("NWGetConnectionList");
    TNWBase base;
    EXPECT_TRUE(GetServerList().empty());
}

TEST_F(TNWLibTest, UnnamedConnectionIsLocal)
{
    TNWBase base;
    EXPECT_EQ(GetConnectionServerName(0x999), "LOCAL");
    EXPECT_EQ(base.LastError()->NWLib(), "8801");
    EXPECT_EQ(GetConnectionServerName(0), "ALPHA");
}

TEST_F(TNWLibTest, ServerDate)
{
    TNWBase base;
    EXPECT_EQ(GetServerDate(0), QDate(2026, 3, 2));

    fake.SetCode("NWGetFileServerDateAndTime", NW_ERR_INVALID_CONNECTION);
    EXPECT_EQ(GetServerDate(0), QDate::currentDate());
    EXPECT_EQ(base.LastError()->NWLib(), "8801");

    fake.SetCode("NWGetFileServerDateAndTime", NW_SUCCESS);
    fake.serverDate = {126, 2, 30};
    EXPECT_THROW(GetServerDate(0), EDateConversionError);
}

TEST_F(TNWLibTest, UnterminatedNamesAreReadWithinTheirBuffers)
{
    fake.Replace("NWCCGetAllConnRefInfo", unterminatedRefInfo);
    fake.Replace("NWGetConnectionInformation", unterminatedLoginName);
    fake.Replace("NWCCGetConnInfo", unterminatedConnInfo);
    TNWBase base;
    const TNWServerList list = GetServerList();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().name, QString(NW_CONN_REF_INFO_SIZE - NW_CONN_REF_INFO_NAME, QLatin1Char('X')));
    EXPECT_EQ(GetLoginName(0).size(), NW_NAME_BUFFER_SIZE);
    EXPECT_EQ(GetConnectionServerName(0x101), QString(NW_CONN_INFO_NAME_SIZE, QLatin1Char('N')));
}

TEST_F(TNWLibTest, ConnectionListThatClaimsMoreThanItFilledListsOnlyWhatItFilled)
{
    fake.Remove("NWCCScanConnRefs");
    fake.connections.push_back({0x103, "GAMMA", 11, 0x53});
    fake.connectionListCount = 65535;
    TNWBase base;
    EXPECT_EQ(names(GetServerList()), QStringList({"ALPHA", "BETA", "GAMMA"}));
}

TEST_F(TNWLibTest, EndlessConnectionScanStops)
{
    fake.Replace("NWCCScanConnRefs", endlessScan);
    TNWBase base;
    EXPECT_EQ(GetServerList().size(), 4096u);
}

// Each operation, with the entry points it needs removed, gives its neutral result and raises nothing.
struct TNeutralCase
{
    const char *operation;
    std::vector<std::string> removed;
    std::function<bool()> neutral;
};

void PrintTo(const TNeutralCase &testCase, std::ostream *out)
{
    *out << testCase.operation;
}

class TNWNeutralTest : public TNetWareFixture, public ::testing::WithParamInterface<TNeutralCase>
{
};

TEST_P(TNWNeutralTest, GivesTheNeutralResult)
{
    fake.treeName = "ACME_TREE";
    for (const std::string &name : GetParam().removed)
        fake.Remove(name);
    TNWBase base;
    EXPECT_TRUE(GetParam().neutral());
    for (const std::string &name : GetParam().removed)
        EXPECT_EQ(fake.Calls(name), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EntryPointsRemoved, TNWNeutralTest,
    ::testing::Values(
        TNeutralCase{"LoginName", {"NWGetConnectionInformation"}, [] { return GetLoginName(0).isEmpty(); }},
        TNeutralCase{"ConnectionNumber",
                     {"NWCCGetConnInfo", "NWGetConnectionNumber"},
                     [] { return GetConnectionNumber(0) == 0; }},
        TNeutralCase{"ServerName",
                     {"NWCCGetConnInfo", "NWGetFileServerName"},
                     [] { return GetConnectionServerName(0) == "LOCAL"; }},
        TNeutralCase{"ServerList", {"NWCCGetAllConnRefInfo"}, [] { return GetServerList().empty(); }},
        TNeutralCase{"LongSwap", {"NWLongSwap"}, [] { return LongSwap(0x12345678) == 0; }},
        TNeutralCase{"ServerDate",
                     {"NWGetFileServerDateAndTime"},
                     [] { return GetServerDate(0) == QDate::currentDate(); }},
        TNeutralCase{"ConnectionByName",
                     {"NWCCOpenConnByName", "NWGetConnectionHandle"},
                     [] { return ConnectionByName(QStringLiteral("ALPHA")) == 0; }},
        TNeutralCase{"ServerStats",
                     {"NWGetFileServerInfo"},
                     [] {
                         TNWServerStats stats;
                         return !GetServerStats(0, stats);
                     }},
        TNeutralCase{"ServerInformation",
                     {"NWGetFileServerInformation"},
                     [] {
                         TNWServerInfo info;
                         return !GetServerInformation(0, info);
                     }},
        TNeutralCase{"SetServerDateTime",
                     {"NWSetFileServerDateAndTime"},
                     [] { return !SetServerDateTime(0, QDateTime::currentDateTime()); }},
        TNeutralCase{"DirectoryServer", {"NWIsDSServer"}, [] { return !IsDirectoryServer(0); }},
        TNeutralCase{"DoneDirectory", {"NWFreeUnicodeTables"}, [] { return !DoneDirectoryServices(); }},
        TNeutralCase{"InitDirectory", {"NWDSOpenStream"}, [] { return !InitDirectoryServices(); }},
        TNeutralCase{"ContextName",
                     {"NWDSGetContext"},
                     [] { return GetContextName().isEmpty() && GetContextFlags() == 0; }},
        TNeutralCase{"SetContextName",
                     {"NWDSSetContext"},
                     [] { return !SetContextName(QStringLiteral("O=ACME")) && !SetContextFlag(4); }},
        TNeutralCase{"FreeContext", {"NWDSFreeContext"}, [] { return !FreeContext(0x700); }},
        TNeutralCase{"CanonicalName",
                     {"NWDSCanonicalizeName"},
                     [] { return CanonicalName(QStringLiteral("ADMIN")).isEmpty(); }},
        TNeutralCase{"WhoAmI", {"NWDSWhoAmI"}, [] { return WhoAmI().isEmpty(); }},
        TNeutralCase{"MapNameToID", {"NWDSMapNameToID"}, [] { return MapNameToID(0, "ADMIN.ACME").isEmpty(); }},
        TNeutralCase{"AuditObjectID", {"NWDSAuditGetObjectID"}, [] { return AuditObjectID(0, "ADMIN.ACME") == 0; }},
        TNeutralCase{"ReadAttribute",
                     {"NWDSRead"},
                     [] {
                         QString text;
                         return !ReadObjectAttribute({}, "ADMIN.ACME", kNWAttributeFullName, text);
                     }},
        TNeutralCase{"BinderyObject",
                     {"NWGetObjectID"},
                     [] {
                         return GetBinderyObjectID(0, "SUPERVISOR", 0x0100) == 0 &&
                                GetBinderyObjectType(0, "SUPERVISOR") == 0;
                     }},
        TNeutralCase{"FullName", {"NWReadPropertyValue"}, [] { return GetFullName(0, " sam ") == "SAM"; }},
        TNeutralCase{"Rights",
                     {"NWCheckConsolePrivileges", "NWIsManager"},
                     [] { return !HasConsolePrivileges(0) && !CheckManager(0); }},
        TNeutralCase{"PreferredServer",
                     {"NWCCSetPrefServerName", "NWSetPrimaryConnectionID"},
                     [] {
                         uint32_t conn = 7;
                         return !SetPreferredServer("BETA", conn) && conn == 7;
                     }},
        TNeutralCase{"BroadcastState", {"NWCCGetConnInfo"}, [] { return GetBroadcastState(0) == 0; }},
        TNeutralCase{"SetBroadcastState", {"NWSetBroadcastMode"}, [] { return !SetBroadcastState(0x101, 1); }},
        TNeutralCase{"ShellErrorMode", {"NWSetNetWareErrorMode"}, [] { return SetShellErrorMode(2) == 0; }},
        TNeutralCase{"MaximumConnections", {"NWGetMaximumConnections"}, [] { return GetMaximumConnections() == 0; }},
        TNeutralCase{"Drives",
                     {"NWGetFirstDrive", "NWGetDriveStatus"},
                     [] { return GetFirstDriveLetter().isNull() && GetNextFreeDriveLetter().isNull(); }}));
