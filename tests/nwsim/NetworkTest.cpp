#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "netware/nwclient.h"
#include "nwsim/Network.h"
#include "nwsim/SimCodes.h"

using namespace nwsim;

namespace {

struct Listed
{
    std::string name;
    std::uint32_t number;
};

std::vector<Listed> scan(Network &network)
{
    std::vector<Listed> listed;
    std::uint32_t iterator = 0;
    std::uint32_t reference = 0;
    std::uint32_t code = NW_SUCCESS;
    while ((code = network.ScanConnRefs(&iterator, &reference)) == NW_SUCCESS) {
        std::array<std::uint8_t, NW_CONN_REF_INFO_SIZE> info{};
        EXPECT_EQ(network.GetAllConnRefInfo(reference, 1, info.data()), NW_SUCCESS);
        std::uint32_t number = 0;
        std::memcpy(&number, info.data() + NW_CONN_REF_INFO_VALUE, 4);
        listed.push_back({reinterpret_cast<const char *>(info.data() + NW_CONN_REF_INFO_NAME), number});
    }
    EXPECT_EQ(code, NW_ERR_NO_MORE_ENTRIES);
    return listed;
}

std::uint32_t handleOf(Network &network, const char *name)
{
    std::uint32_t handle = 0;
    EXPECT_EQ(network.OpenConnByName(name, &handle), NW_SUCCESS) << name;
    return handle;
}

std::uint32_t stats(Network &network, std::uint32_t handle)
{
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    return network.GetFileServerInfo(handle, record.data());
}

class BuiltInNetwork : public testing::Test
{
protected:
    Network network{Scenario::BuiltIn(), [this] { return m_second * 1000; }};
    std::uint64_t m_second = 0;
};

} // namespace

TEST_F(BuiltInNetwork, ScanListsEveryConnectionAndTheTwiceConnectedServerTwice)
{
    const std::vector<Listed> listed = scan(network);
    std::vector<std::string> names;
    for (const Listed &entry : listed) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"KESTREL", "LARCH", "OLDMILL", "FENWICK", "QUARRY", "QUARRY"}));
    EXPECT_NE(listed[4].number, listed[5].number);
}

TEST_F(BuiltInNetwork, StatisticsAnswerOnlyWhereTheUserHasConsoleRights)
{
    EXPECT_EQ(stats(network, handleOf(network, "KESTREL")), NW_SUCCESS);
    EXPECT_EQ(stats(network, handleOf(network, "LARCH")), NW_SUCCESS);
    EXPECT_EQ(stats(network, handleOf(network, "OLDMILL")), NW_ERR_NOT_SUPPORTED);
    EXPECT_EQ(stats(network, handleOf(network, "FENWICK")), NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_EQ(stats(network, handleOf(network, "QUARRY")), NW_SUCCESS);
    EXPECT_EQ(stats(network, 0), NW_SUCCESS) << "0 is the primary connection";
    EXPECT_EQ(stats(network, 77), NW_ERR_INVALID_CONNECTION);
}

TEST_F(BuiltInNetwork, PrimaryConnectionIsTheFirstServer)
{
    std::uint32_t reference = 0;
    std::uint32_t viaReference = 0;
    std::uint32_t direct = 0;
    ASSERT_EQ(network.GetPrimConnRef(&reference), NW_SUCCESS);
    ASSERT_EQ(network.OpenConnByRef(reference, &viaReference), NW_SUCCESS);
    ASSERT_EQ(network.GetPrimaryConnectionID(&direct), NW_SUCCESS);
    EXPECT_EQ(viaReference, direct);
    EXPECT_NE(direct, 0u);
    EXPECT_EQ(network.OpenConnByRef(direct, &viaReference), NW_ERR_INVALID_CONNECTION)
        << "a handle is not a reference";
    char name[NW_NAME_BUFFER_SIZE];
    ASSERT_EQ(network.GetFileServerName(direct, name), NW_SUCCESS);
    EXPECT_STREQ(name, "KESTREL");
}

TEST_F(BuiltInNetwork, NamesResolveToTheSameSmallHandleEveryTime)
{
    const std::uint32_t first = handleOf(network, "QUARRY");
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(handleOf(network, "QUARRY"), first);
    }
    std::uint32_t handle = 0;
    EXPECT_EQ(network.GetConnectionHandle("quarry", &handle), NW_SUCCESS);
    EXPECT_EQ(handle, first);
    EXPECT_LE(first, 6u);
    EXPECT_EQ(network.OpenConnByName("NOSUCHSERVER", &handle), NW_ERR_NO_SUCH_OBJECT);
    EXPECT_EQ(network.GetConnectionHandle("NOSUCHSERVER", &handle), NW_ERR_SERVER_UNKNOWN);
    EXPECT_EQ(network.OpenConnByName("", &handle), NW_ERR_NO_SUCH_OBJECT);
}

TEST_F(BuiltInNetwork, ConnectionListNeverExceedsTheCallersList)
{
    std::array<std::uint16_t, 5> list;
    list.fill(0xAAAA);
    std::uint16_t count = 0;
    ASSERT_EQ(network.GetConnectionList(0, list.data(), 3, &count), NW_SUCCESS);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(list[2], 3);
    EXPECT_EQ(list[3], 0xAAAA);
    std::array<std::uint16_t, NW_SERVER_LIST_MAX> full{};
    ASSERT_EQ(network.GetConnectionList(0, full.data(), NW_SERVER_LIST_MAX, &count), NW_SUCCESS);
    EXPECT_EQ(count, 6);
}

TEST_F(BuiltInNetwork, ConnectionInfoHonoursTheBufferLength)
{
    const std::uint32_t handle = handleOf(network, "LARCH");
    char name[8];
    std::memset(name, 'x', sizeof name);
    ASSERT_EQ(network.GetConnInfo(handle, NW_CONN_INFO_SERVER_NAME, 4, name), NW_SUCCESS);
    EXPECT_STREQ(name, "LAR");
    EXPECT_EQ(name[4], 'x');
    std::uint16_t small = 0;
    EXPECT_EQ(network.GetConnInfo(handle, NW_CONN_INFO_CONN_NUMBER, 2, &small), codes::kBufferTooSmall);
    std::uint32_t number = 0;
    std::uint16_t direct = 0;
    ASSERT_EQ(network.GetConnInfo(handle, NW_CONN_INFO_CONN_NUMBER, 4, &number), NW_SUCCESS);
    ASSERT_EQ(network.GetConnectionNumber(handle, &direct), NW_SUCCESS);
    EXPECT_EQ(number, direct);
}

TEST_F(BuiltInNetwork, BroadcastModeIsKeptPerConnection)
{
    const std::uint32_t larch = handleOf(network, "LARCH");
    const std::uint32_t kestrel = handleOf(network, "KESTREL");
    ASSERT_EQ(network.SetBroadcastMode(larch, 2), NW_SUCCESS);
    std::uint16_t mode = 9;
    ASSERT_EQ(network.GetConnInfo(larch, NW_CONN_INFO_BROADCAST_STATE, 2, &mode), NW_SUCCESS);
    EXPECT_EQ(mode, 2);
    ASSERT_EQ(network.GetConnInfo(kestrel, NW_CONN_INFO_BROADCAST_STATE, 2, &mode), NW_SUCCESS);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(network.SetBroadcastMode(larch, 4), codes::kInvalidParameter);
    EXPECT_EQ(network.SetBroadcastMode(0, 1), NW_ERR_INVALID_CONNECTION) << "0 is no connection here";
}

TEST_F(BuiltInNetwork, ServerInformationAndRights)
{
    char name[NW_NAME_BUFFER_SIZE];
    std::uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    std::uint16_t maximum = 0, peak = 0, inUse = 0, volumes = 0;
    ASSERT_EQ(network.GetFileServerInformation(handleOf(network, "OLDMILL"), name, &major, &minor, &revision,
                                               &maximum, &peak, &inUse, &volumes, &sft, &tts),
              NW_SUCCESS);
    EXPECT_STREQ(name, "OLDMILL");
    EXPECT_EQ(major, 3);
    EXPECT_EQ(minor, 12);
    EXPECT_LE(inUse, peak);
    EXPECT_LE(peak, maximum);
    EXPECT_EQ(network.CheckConsolePrivileges(handleOf(network, "FENWICK")), NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_EQ(network.CheckConsolePrivileges(0), NW_SUCCESS);
}

TEST_F(BuiltInNetwork, ServerClockCanBeSetAndRefusesDaysThatDoNotExist)
{
    const std::uint32_t handle = handleOf(network, "LARCH");
    const std::uint8_t wanted[] = {126, 3, 2, 12, 30, 15};
    ASSERT_EQ(network.SetFileServerDateAndTime(handle, wanted), NW_SUCCESS);
    std::uint8_t now[NW_DATE_TIME_SIZE] = {};
    ASSERT_EQ(network.GetFileServerDateAndTime(handle, now), NW_SUCCESS);
    EXPECT_EQ(now[0], 126);
    EXPECT_EQ(now[1], 3);
    EXPECT_EQ(now[2], 2);
    EXPECT_EQ(now[6], 1) << "2 March 2026 is a Monday";
    const std::uint8_t impossible[] = {126, 2, 30, 12, 0, 0};
    EXPECT_EQ(network.SetFileServerDateAndTime(handle, impossible), codes::kInvalidParameter);
}

TEST_F(BuiltInNetwork, BinderyIdentityOfTheLogin)
{
    const std::uint32_t handle = handleOf(network, "LARCH");
    std::uint32_t id = 0;
    ASSERT_EQ(network.GetObjectID(handle, "ADMIN", 0x0100, &id), NW_SUCCESS);
    EXPECT_EQ(network.GetObjectID(handle, "ADMIN", 0x0200, &id), NW_ERR_NO_SUCH_OBJECT);
    EXPECT_EQ(network.GetObjectID(handle, "LARCH", 0x0400, &id), NW_SUCCESS);

    std::uint16_t number = 0;
    ASSERT_EQ(network.GetConnectionNumber(handle, &number), NW_SUCCESS);
    char login[NW_NAME_BUFFER_SIZE];
    std::uint16_t type = 0;
    std::uint32_t loginID = 0;
    std::uint8_t when[NW_LOGIN_TIME_SIZE];
    ASSERT_EQ(network.GetConnectionInformation(handle, number, login, &type, &loginID, when), NW_SUCCESS);
    EXPECT_STREQ(login, "ADMIN");
    EXPECT_EQ(type, 0x0100);
    ASSERT_EQ(network.GetObjectID(handle, "ADMIN", 0x0100, &id), NW_SUCCESS);
    EXPECT_EQ(loginID, id);

    std::array<std::uint8_t, 1025> segment{};
    std::uint8_t more = 9, flags = 9;
    ASSERT_EQ(network.ReadPropertyValue(handle, "ADMIN", 0x0100, "IDENTIFICATION", 1, segment.data(), &more,
                                        &flags),
              NW_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<const char *>(segment.data()), "Ada Quillfeather");
    EXPECT_EQ(more, 0);
    EXPECT_EQ(network.ReadPropertyValue(handle, "ADMIN", 0x0100, "SURNAME", 1, segment.data(), &more, &flags),
              codes::kNoSuchProperty);
    EXPECT_EQ(network.ReadPropertyValue(handle, "ADMIN", 0x0100, "IDENTIFICATION", 2, segment.data(), &more,
                                        &flags),
              codes::kNoSuchSegment);
}

TEST_F(BuiltInNetwork, DirectoryServersNameTheirTree)
{
    char tree[NW_NAME_BUFFER_SIZE] = "junk";
    EXPECT_NE(network.IsDSServer(handleOf(network, "KESTREL"), tree), 0u);
    EXPECT_STREQ(tree, "EMBERLY_TREE");
    EXPECT_EQ(network.IsDSServer(handleOf(network, "OLDMILL"), tree), 0u);
    EXPECT_STREQ(tree, "");
}

TEST_F(BuiltInNetwork, WorkstationDrivesStartAtFAndLeaveTheRestFree)
{
    Workstation &station = network.Station();
    std::uint16_t first = 0;
    ASSERT_EQ(station.GetFirstDrive(&first), NW_SUCCESS);
    EXPECT_EQ(first, 6);
    std::uint16_t status = 0;
    std::uint32_t handle = 0;
    char root[NW_PATH_SIZE], relative[NW_PATH_SIZE], full[NW_PATH_SIZE];
    ASSERT_EQ(station.GetDriveStatus(7, 0, &status, &handle, root, relative, full), NW_SUCCESS);
    EXPECT_NE(status, 0);
    EXPECT_EQ(handle, handleOf(network, "KESTREL"));
    EXPECT_STREQ(root, "KESTREL/SYS:");
    EXPECT_STREQ(full, "KESTREL/SYS:PUBLIC");
    ASSERT_EQ(station.GetDriveStatus(9, 0, &status, &handle, root, relative, full), NW_SUCCESS);
    EXPECT_EQ(status, 0) << "I is free";
    EXPECT_EQ(station.GetDriveStatus(27, 0, &status, &handle, root, relative, full),
              codes::kInvalidParameter);
}

TEST_F(BuiltInNetwork, ErrorModeReturnsThePreviousMode)
{
    std::uint8_t previous = 9;
    ASSERT_EQ(network.Station().SetErrorMode(1, &previous), NW_SUCCESS);
    EXPECT_EQ(previous, 0);
    ASSERT_EQ(network.Station().SetErrorMode(2, &previous), NW_SUCCESS);
    EXPECT_EQ(previous, 1);
    EXPECT_EQ(network.Station().SetErrorMode(3, &previous), codes::kInvalidParameter);
}

TEST_F(BuiltInNetwork, PreferredServerBecomesThePrimaryConnection)
{
    ASSERT_EQ(network.SetPrefServerName("LARCH"), NW_SUCCESS);
    std::uint32_t primary = 0;
    ASSERT_EQ(network.GetPrimaryConnectionID(&primary), NW_SUCCESS);
    EXPECT_EQ(primary, handleOf(network, "LARCH"));
    EXPECT_EQ(network.SetPrefServerName("NOWHERE"), NW_ERR_SERVER_UNKNOWN);
    EXPECT_EQ(network.SetPrimaryConnectionID(99), NW_ERR_INVALID_CONNECTION);
}

TEST(Network, NamesMatchInEitherCaseOfTheirEightBitLetters)
{
    Scenario scenario = Scenario::BuiltIn();
    scenario.servers[1].name = "z\xFCrich";
    Network network(scenario);
    std::uint32_t handle = 0;
    EXPECT_EQ(network.GetConnectionHandle("Z\xDCRICH", &handle), NW_SUCCESS);
    EXPECT_EQ(network.GetConnectionHandle("Z\xFCRICH", &handle), NW_SUCCESS);
    EXPECT_EQ(network.GetConnectionHandle("Z\xFDRICH", &handle), NW_ERR_SERVER_UNKNOWN);
}

TEST(Network, FailingPrimaryConnectionFailsEveryPrimaryCall)
{
    Scenario scenario = Scenario::BuiltIn();
    scenario.primaryFailure = 0x8801;
    scenario.callsInitFailure = 0x88FF;
    Network network(scenario);
    std::uint32_t value = 0;
    EXPECT_EQ(network.GetPrimConnRef(&value), 0x8801u);
    EXPECT_EQ(network.GetPrimaryConnectionID(&value), 0x8801u);
    EXPECT_EQ(network.CallsInit(), 0x88FFu);
}

TEST(Network, EmptyNetworkHasNoPrimaryConnectionAndAnEmptyScan)
{
    Network network{Scenario{}};
    std::uint32_t value = 0;
    EXPECT_EQ(network.CallsInit(), NW_SUCCESS);
    EXPECT_NE(network.GetPrimConnRef(&value), NW_SUCCESS);
    EXPECT_NE(network.GetPrimaryConnectionID(&value), NW_SUCCESS);
    EXPECT_TRUE(scan(network).empty());
    EXPECT_EQ(stats(network, 0), NW_ERR_INVALID_CONNECTION);
}

TEST(Network, StoppedServerFailsEveryServerRequest)
{
    Scenario scenario = Scenario::BuiltIn();
    scenario.servers[1].stop = Trigger{TriggerUnit::Seconds, 10};
    std::uint64_t second = 0;
    Network network(scenario, [&second] { return second * 1000; });
    const std::uint32_t larch = handleOf(network, "LARCH");
    EXPECT_EQ(stats(network, larch), NW_SUCCESS);
    second = 10;
    EXPECT_EQ(stats(network, larch), codes::kServerNotResponding);
    EXPECT_EQ(network.CheckConsolePrivileges(larch), codes::kServerNotResponding);
    std::uint8_t dateTime[NW_DATE_TIME_SIZE];
    EXPECT_EQ(network.GetFileServerDateAndTime(larch, dateTime), codes::kServerNotResponding);
    EXPECT_EQ(stats(network, 0), NW_SUCCESS) << "the other servers still answer";
    EXPECT_EQ(scan(network).size(), 6u) << "the connection itself is still there";
}

TEST(Network, BuiltInPrimaryCounterWrapsEarlyInARun)
{
    std::uint64_t second = 0;
    Network network(Scenario::BuiltIn(), [&second] { return second * 1000; });
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    std::uint32_t previous = 0;
    bool wrapped = false;
    for (; second < 300 && !wrapped; ++second) {
        ASSERT_EQ(network.GetFileServerInfo(0, record.data()), NW_SUCCESS);
        std::uint32_t counter = 0;
        std::memcpy(&counter, record.data() + NW_SERVER_INFO_NCP_REQUESTS, 4);
        wrapped = second > 0 && counter < previous;
        previous = counter;
    }
    EXPECT_TRUE(wrapped) << "no wrap within five minutes";
}
