#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WireTestSupport.h"
#include "nwsim/Network.h"
#include "nwsim/face/WireServer.h"

using namespace nwsim;
using namespace nwsim::test;

namespace {

// ALPHA: a 5.70 directory server; BRAVO: a 3.12 server; CHARLIE: a 4.11 server without console rights but
// with manager rights. Statistics come from scripted samples, so every byte of them is known.
const char *const kScenario = R"(tree ACORN
login CN=OPS.O=ACORN Olive Penhallow
server ALPHA version=5.70 tree=yes volumes=2 licence=250 seed=7 date=2026-03-04
server BRAVO version=3.12 seed=9
server CHARLIE version=4.11 rights=no manager=yes
bindery ALPHA user GUEST id=0B0B0B01
password ALPHA OPS Tr0ut
password ALPHA GUEST visit
sequence ALPHA 37:1000
sequence BRAVO 12:5000
stop CHARLIE after 100 seconds for 5
)";

class WireFace : public testing::Test
{
protected:
    WireFace()
    {
        for (std::size_t i = 0; i < scenario.servers.size(); ++i) {
            servers.push_back(std::make_unique<WireServer>(network, scenario, i));
        }
        servers[0]->SetAddress({std::array<std::uint8_t, 4>{127, 0, 0, 1}, 5524});
    }

    // A created connection to the server, logged in as the user with the scenario's password when one is
    // named.
    std::unique_ptr<WireClient> connect(std::size_t server, const std::string &user = "")
    {
        auto client = std::make_unique<WireClient>(*servers[server], m_now);
        EXPECT_NE(client->Create(), 0);
        if (!user.empty()) {
            const auto &passwords = scenario.servers[server].passwords;
            const auto password = passwords.find(user);
            EXPECT_EQ(client->Login(user, password == passwords.end() ? "" : password->second), 0) << user;
        }
        return client;
    }

    Scenario scenario = ParseScenario(kScenario);
    std::uint64_t m_now = 0;
    Network network{scenario, [this] { return m_now; }};
    std::vector<std::unique_ptr<WireServer>> servers;
};

struct CallCase
{
    const char *name;
    std::size_t server;
    // Empty: the connection is not logged in.
    const char *user;
    // Function onward.
    const char *request;
    // Completion code, connection status and data.
    const char *reply;
};

void PrintTo(const CallCase &call, std::ostream *out)
{
    *out << call.name;
}

class WireCall : public WireFace, public testing::WithParamInterface<CallCase>
{
};

} // namespace

TEST_P(WireCall, AnswersAsTheTablesLayItOut)
{
    const CallCase &call = GetParam();
    const std::unique_ptr<WireClient> client = connect(call.server, call.user);
    const std::optional<ncp::Reply> reply = client->Call(call.request);
    ASSERT_TRUE(reply);
    ncp::Bytes seen{reply->completion, reply->status};
    seen.insert(seen.end(), reply->data.begin(), reply->data.end());
    EXPECT_TRUE(Matches(call.reply, seen)) << testing::PrintToString(seen);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WireCall,
    testing::Values(
        CallCase{"ServerInformation", 0, "", "17 0001 11",
                 "00 00 'ALPHA' 00*43 05 46 00fa .... 0002 00 02 01 0096 00*9 0005 0046 0000 04 00*51"},
        CallCase{"DateAndTime", 0, "", "14", "00 00 7e 03 04 .. .. .. .."},
        CallCase{"StatisticsNeedALogin", 0, "", "7b 0001 02", "c6 00"},
        CallCase{"StatisticsNeedTheMonitorsLogin", 0, "GUEST", "7b 0001 02", "c6 00"},
        CallCase{"Statistics", 0, "OPS", "7b 0001 02",
                 "00 00 07000000 00 00 0000 00000000 00000000 e8030000 25000000 00*96 00*10 00000000 "
                 "e2040000 6f000000"},
        CallCase{"StatisticsOfAnOldServer", 1, "OPS", "7b 0001 02", "fb 00"},
        CallCase{"StatisticsWithoutConsoleRights", 2, "OPS", "7b 0001 02", "c6 00"},
        CallCase{"MiscInformation", 1, "OPS", "17 0001 e8",
                 "00 00 00000009 02 00 0a 0c 0000 0060 0029 8000 0000 0000"},
        CallCase{"MiscInformationNeedsALogin", 1, "", "17 0001 e8", "c6 00"},
        CallCase{"LanStatistics", 1, "OPS", "17 0001 e7",
                 "00 00 00000009 0028 000c 0003 00001388 00*40 00000000 000004e2 0000022b"},
        CallCase{"ObjectId", 0, "", "17 0009 35 0001 05 'GUEST'", "00 00 0b0b0b01 0001 'GUEST' 00*43"},
        CallCase{"ObjectIdOfNobody", 0, "", "17 000a 35 0001 06 'NOBODY'", "fc 00"},
        CallCase{"ObjectIdWithANulInside", 0, "", "17 000a 35 0001 06 'GUEST' 00", "ef 00"},
        CallCase{"AccessLevelOfNobody", 0, "", "17 0001 46", "00 00 00 ffffffff"},
        CallCase{"AccessLevelOfAUser", 0, "GUEST", "17 0001 46", "00 00 22 0b0b0b01"},
        CallCase{"AccessLevelOfTheOperator", 0, "OPS", "17 0001 46", "00 00 33 0a.... .."},
        CallCase{"ConsolePrivileges", 0, "OPS", "17 0001 c8", "00 00"},
        CallCase{"ConsolePrivilegesOfAUser", 0, "GUEST", "17 0001 c8", "c6 00"},
        CallCase{"ConsolePrivilegesWithoutRights", 2, "OPS", "17 0001 c8", "c6 00"},
        CallCase{"Manager", 2, "OPS", "17 0001 49", "00 00"},
        CallCase{"ManagerNeedsTheMonitorsLogin", 0, "GUEST", "17 0001 49", "ff 00"},
        CallCase{"SetDateTimeNeedsConsoleRights", 0, "GUEST", "17 0007 ca 1a 05 06 0c 00 00", "c6 00"},
        CallCase{"SetDateTimeRefusesADayThatDoesNotExist", 0, "OPS", "17 0007 ca 1a 02 1e 0c 00 00", "ff 00"},
        CallCase{"Ping", 0, "", "68 01 000000", "00 00 09 000000 21000000 'ACORN' 5f*27 00 00*12"},
        CallCase{"PingOutsideTheTree", 1, "", "68 01 000000", "fb 00"},
        CallCase{"StationInfo", 0, "OPS", "17 0005 1c 01000000",
                 "00 00 0a.... .. 0001 'OPS' 00*45 7e 03 04 .. .. .. .. 00"},
        CallCase{"StationInfoByByte", 0, "GUEST", "17 0002 16 01",
                 "00 00 0b0b0b01 0001 'GUEST' 00*43 7e 03 04 .. .. .. .. 00"},
        CallCase{"StationInfoOfAnAnonymousStation", 0, "", "17 0005 1c 01000000", "fb 00"},
        CallCase{"StationInfoOfNoStation", 0, "OPS", "17 0005 1c 02000000", "fb 00"},
        CallCase{"NegotiateBuffer", 0, "", "21 2000", "00 00 1000"},
        CallCase{"BigPacket", 0, "", "61 1000 00", "00 00 1000 0000 00"},
        CallCase{"NetworkAddresses", 0, "", "7b 0001 11",
                 "00 00 00000000 01 00 0000 00*16 00000000 01000000 06000000 06000000 1594 7f000001"},
        CallCase{"VolumeList", 0, "", "16 000c 34 00000000 00000000 00000000",
                 "00 00 02000000 00000000 00000000 03 'SYS' 01000000 04 'VOL1'"},
        CallCase{"Logout", 0, "OPS", "19", "00 00"},
        CallCase{"UnknownSubfunction", 0, "", "17 0001 99", "fb 00"}),
    [](const testing::TestParamInfo<CallCase> &info) { return std::string(info.param.name); });

TEST_F(WireFace, ConnectionsAreCreatedAndDestroyedAndUnknownOnesFlagged)
{
    WireClient client(*servers[0], m_now);
    client.Send(Bytes("2222 01 05 01 00 17 0001 11"));
    EXPECT_TRUE(Matches("'tNcP' 00000010 3333 01 05 01 00 00 01", client.Due()));
    client.Send(Bytes("1111 00 ff 01 ff 00"));
    EXPECT_TRUE(Matches("'tNcP' 00000010 3333 00 01 01 00 00 00", client.Due()));
    client.Send(Bytes("5555 07 01 02 00 00"));
    EXPECT_TRUE(Matches("'tNcP' 00000010 3333 07 01 02 00 00 00", client.Due()));
    client.Send(Bytes("2222 08 01 01 00 17 0001 11"));
    EXPECT_TRUE(Matches("'tNcP' 00000010 3333 08 01 01 00 00 01", client.Due()))
        << "a destroyed one is unknown";
}

TEST_F(WireFace, ConnectionsAreNumberedFromOneAndNumbersAreReused)
{
    auto first = connect(0);
    auto second = connect(0);
    EXPECT_EQ(first->Number(), 1);
    EXPECT_EQ(second->Number(), 2);
    first.reset();
    EXPECT_EQ(connect(0)->Number(), 1);
    EXPECT_EQ(connect(1)->Number(), 1) << "each server numbers its own";
}

TEST_F(WireFace, ARepeatedSequenceGetsTheSavedReplyWithoutDoingItAgain)
{
    auto client = connect(0);
    const ncp::Bytes request = Bytes("2222 01 01 01 00 17 0001 17");
    client->Send(request);
    const ncp::Bytes first = client->Due();
    client->Send(request);
    EXPECT_EQ(client->Due(), first) << "a second login key would differ";
}

TEST_F(WireFace, KeyedLoginChecksThePasswordAgainstTheKeyItIssued)
{
    auto client = connect(0);
    EXPECT_EQ(client->Login("OPS", "wrong"), 0xDE);
    EXPECT_EQ(client->Login("ops", "TR0UT"), 0) << "names and passwords are upper-cased";
    EXPECT_EQ(client->Login("NOBODY", ""), 0xFC);
    EXPECT_EQ(client->Call("17 0001 46")->data.at(0), 0) << "a failed login ends the one before";
    EXPECT_EQ(connect(1)->Login("OPS", ""), 0) << "no password line: the empty password";

    ASSERT_EQ(client->Login("OPS", "tr0ut"), 0);
    EXPECT_EQ(client->Call("17 000f 18 00*8 0001 03 'OPS'")->completion, 0xFF) << "a key answers one login";
    EXPECT_EQ(client->Call("17 0003 18 00 00")->completion, 0x7E);
}

TEST_F(WireFace, LogoutKeepsTheConnectionButNotItsRights)
{
    auto client = connect(0, "OPS");
    EXPECT_EQ(client->Call("7b 0001 02")->completion, 0);
    EXPECT_EQ(client->Call("19")->completion, 0);
    EXPECT_EQ(client->Call("7b 0001 02")->completion, 0xC6);
}

TEST_F(WireFace, AStoppedServerSaysNothingUntilTheStopEnds)
{
    auto client = connect(2);
    m_now = 100'000;
    EXPECT_FALSE(client->Call("17 0001 11"));
    WireClient late(*servers[2], m_now);
    EXPECT_EQ(late.Create(), 0) << "not even a new connection";
    m_now = 105'000;
    EXPECT_EQ(client->Call("17 0001 11")->completion, 0);
}
