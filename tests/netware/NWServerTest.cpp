#include "netware/NWServer.h"

#include "netware/nwbase.h"
#include "netware/nwlib.h"
#include "tests/netware/NetWareFixture.h"

namespace {

class TNWServerTest : public TNetWareFixture
{
protected:
    void PutStat(std::size_t offset, uint32_t value)
    {
        std::memcpy(fake.serverStats.data() + offset, &value, sizeof value);
    }

    TNWBase base;
};

} // namespace

TEST_F(TNWServerTest, ConnectionByNameOpensInUpperCase)
{
    EXPECT_EQ(ConnectionByName(QStringLiteral("beta")), 0x102u);
    EXPECT_EQ(fake.lastServerName, "BETA");
    EXPECT_EQ(fake.arguments["NWCCOpenConnByName"], (std::vector<uint32_t>{0, 2, 1, 0}));
    EXPECT_EQ(fake.Calls("NWGetConnectionHandle"), 0);
}

TEST_F(TNWServerTest, ConnectionByNameFallsBackAndReportsTheLastCallTried)
{
    fake.SetCode("NWCCOpenConnByName", NW_ERR_SERVER_UNKNOWN);
    EXPECT_EQ(ConnectionByName(QStringLiteral("alpha")), 0x101u);
    EXPECT_EQ(fake.arguments["NWGetConnectionHandle"], (std::vector<uint32_t>{0, true}));

    fake.SetCode("NWGetConnectionHandle", NW_ERR_NO_SUCH_OBJECT);
    EXPECT_EQ(ConnectionByName(QStringLiteral("alpha")), 0u);
    EXPECT_EQ(base.LastError()->NWServer(), "89FC");
    EXPECT_EQ(base.LastError()->NWLib(), "0000");
}

TEST_F(TNWServerTest, LongNamesAreCutToTheNameBuffer)
{
    ConnectionByName(QString(2000, QLatin1Char('s')));
    EXPECT_EQ(fake.lastServerName, std::string(NW_CONN_INFO_NAME_SIZE - 1, 'S'));
}

TEST_F(TNWServerTest, StatsOfConnectionZeroComeFromThePrimaryServer)
{
    PutStat(NW_SERVER_INFO_TIME, 77);
    PutStat(NW_SERVER_INFO_NCP_REQUESTS, 0xFFFFFFF0);
    PutStat(NW_SERVER_INFO_UTILIZATION, 42);
    PutStat(NW_SERVER_INFO_PACKETS_SERVICED, 1000);
    PutStat(NW_SERVER_INFO_PACKETS_ROUTED, 20);
    TNWServerStats stats;
    ASSERT_TRUE(GetServerStats(0, stats));
    EXPECT_EQ(fake.lastConnection, 0x101u);
    EXPECT_EQ(stats.ServerTime(), 77u);
    EXPECT_EQ(stats.NCPRequests(), 0xFFFFFFF0u);
    EXPECT_EQ(stats.Utilization(), 42u);
    EXPECT_EQ(stats.PacketsServiced(), 1000u);
    EXPECT_EQ(stats.PacketsRouted(), 20u);

    fake.SetCode("NWGetFileServerInfo", NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_FALSE(GetServerStats(0x102, stats));
    EXPECT_EQ(base.LastError()->NWServer(), "89C6");
}

TEST_F(TNWServerTest, SamplerTickMakesTwoClientCallsOnceBound)
{
    TNWServerStats stats;
    GetServerStats(ConnectionByName(QStringLiteral("ALPHA")), stats);
    fake.ResetCounts();
    ASSERT_TRUE(GetServerStats(ConnectionByName(QStringLiteral("ALPHA")), stats));
    EXPECT_EQ(fake.TotalCalls(), 2);
    EXPECT_EQ(fake.Lookups("NWCCOpenConnByName") + fake.Lookups("NWGetFileServerInfo"), 0);
}

TEST_F(TNWServerTest, InformationOfAVersionFourServer)
{
    PutStat(NW_SERVER_INFO_TIME, 31);
    PutStat(NW_SERVER_INFO_UTILIZATION, 0x164);
    PutStat(NW_SERVER_INFO_PACKETS_SERVICED, 700);
    PutStat(NW_SERVER_INFO_PACKETS_ROUTED, 9);
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInformation(0x102, info));
    EXPECT_EQ(info.serverTime, 31u);
    EXPECT_EQ(info.packetsServiced, 700u);
    EXPECT_EQ(info.serverName, "BETA");
    EXPECT_EQ(info.version, "4.11");
    EXPECT_EQ(info.utilization, 0x64);
    EXPECT_EQ(info.packetsRouted, 9u);
    EXPECT_EQ(info.maxConnections, 250);
    EXPECT_EQ(info.connectionsInUse, 12);
    EXPECT_EQ(info.peakConnectionsUsed, 40);
    EXPECT_EQ(info.volumes, 5);
    EXPECT_EQ(info.sftLevel, 2);
    EXPECT_EQ(info.ttsLevel, 1);
}

TEST_F(TNWServerTest, VersionThreeServersHaveNoStatistics)
{
    fake.majorVersion = 3;
    fake.minorVersion = 12;
    PutStat(NW_SERVER_INFO_PACKETS_SERVICED, 500);
    TNWServerInfo info;
    ASSERT_TRUE(GetServerInformation(0, info));
    EXPECT_EQ(info.version, "3.12");
    EXPECT_EQ(info.packetsServiced, 0u);
    EXPECT_EQ(fake.Calls("NWGetFileServerInfo"), 0);
}

TEST_F(TNWServerTest, FailedInformationLeavesTheRecordUntouched)
{
    fake.SetCode("NWGetFileServerInformation", NW_ERR_INVALID_CONNECTION);
    TNWServerInfo info;
    info.version = QStringLiteral("kept");
    EXPECT_FALSE(GetServerInformation(0, info));
    EXPECT_EQ(info.version, "kept");
    EXPECT_EQ(base.LastError()->NWServer(), "0000");
}

TEST_F(TNWServerTest, SetsTheServerClockFromNineteenHundred)
{
    ASSERT_TRUE(SetServerDateTime(0, QDateTime(QDate(2026, 3, 2), QTime(12, 30, 15))));
    EXPECT_EQ(fake.setDateTime, (std::array<uint8_t, 6>{126, 3, 2, 12, 30, 15}));

    fake.SetCode("NWSetFileServerDateAndTime", NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_FALSE(SetServerDateTime(0, QDateTime::currentDateTime()));
    EXPECT_EQ(base.LastError()->NWServer(), "89C6");
}
