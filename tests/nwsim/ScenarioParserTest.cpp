#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "nwsim/ScenarioError.h"
#include "nwsim/ScenarioParser.h"

using namespace nwsim;

namespace {

Scenario parse(const std::string &text)
{
    std::istringstream input(text);
    return ScenarioParser::Parse(input);
}

const char *const kGoodFile = R"(# two servers and every fault
tree TEST_TREE
login CN=OPS.OU=NET.O=ACORN Olive Penhallow
context OU=NET.O=ACORN
profile hectic idle=20 busy=95 bursts=30 rate=900

server ALPHA version=4.11 rights=yes tree=yes connections=2 profile=hectic seed=42 counter=4294967000
server beta version=3.12.2 rights=no licence=25 volumes=7   # a comment after the settings
sequence ALPHA 5:1000 7:1100
sequence alpha 9:1300
drive g BETA VOL1:DATA
stop BETA after 30 seconds for 15
restart ALPHA after 4 calls to 100
primary fails 0x8801
callsinit fails 88FF
)";

} // namespace

TEST(ScenarioParser, ReadsEveryKindOfLine)
{
    const Scenario scenario = parse(kGoodFile);
    EXPECT_EQ(scenario.tree, "TEST_TREE");
    EXPECT_EQ(scenario.login, "CN=OPS.OU=NET.O=ACORN");
    EXPECT_EQ(scenario.fullName, "Olive Penhallow");
    EXPECT_EQ(scenario.context, "OU=NET.O=ACORN");
    EXPECT_EQ(scenario.primaryFailure, 0x8801u);
    EXPECT_EQ(scenario.callsInitFailure, 0x88FFu);
    ASSERT_EQ(scenario.servers.size(), 2u);

    const ServerSetup &alpha = scenario.servers[0];
    EXPECT_EQ(alpha.majorVersion, 4);
    EXPECT_EQ(alpha.minorVersion, 11);
    EXPECT_TRUE(alpha.consoleRights);
    EXPECT_TRUE(alpha.inTree);
    EXPECT_EQ(alpha.connections, 2);
    EXPECT_EQ(alpha.profile.busyCpu, 95);
    EXPECT_EQ(alpha.profile.requestRate, 900u);
    EXPECT_EQ(alpha.seed, 42u);
    EXPECT_EQ(alpha.counterStart, 4294967000u);
    ASSERT_EQ(alpha.samples.size(), 3u);
    EXPECT_EQ(alpha.samples[2].cpu, 9u);
    EXPECT_EQ(alpha.samples[2].counter, 1300u);
    ASSERT_TRUE(alpha.restart.has_value());
    EXPECT_EQ(alpha.restart->unit, TriggerUnit::Calls);
    EXPECT_EQ(alpha.restart->value, 4u);
    EXPECT_EQ(alpha.restartValue, 100u);

    const ServerSetup &beta = scenario.servers[1];
    EXPECT_EQ(beta.revision, 2);
    EXPECT_FALSE(beta.consoleRights);
    EXPECT_FALSE(beta.inTree);
    EXPECT_EQ(beta.licensedConnections, 25);
    EXPECT_EQ(beta.volumes, 7);
    ASSERT_TRUE(beta.stop.has_value());
    EXPECT_EQ(beta.stop->unit, TriggerUnit::Seconds);
    EXPECT_EQ(beta.stop->value, 30u);
    EXPECT_EQ(beta.stopLength, 15u);
    EXPECT_EQ(alpha.stopLength, 0u) << "no stop, or one for ever";

    ASSERT_EQ(scenario.drives.size(), 1u);
    EXPECT_EQ(scenario.drives[0].letter, 'G');
    EXPECT_EQ(scenario.drives[0].server, "beta");
}

TEST(ScenarioParser, EmptyFileIsANetworkWithoutServers)
{
    const Scenario scenario = parse("# nothing here\n\n");
    EXPECT_TRUE(scenario.servers.empty());
    EXPECT_EQ(scenario.primaryFailure, 0u);
}

TEST(ScenarioParser, ServersGetDistinctDefaultSeeds)
{
    const Scenario scenario = parse("server ONE\nserver TWO\n");
    EXPECT_NE(scenario.servers[0].seed, scenario.servers[1].seed);
}

struct MalformedCase
{
    const char *text;
    int line;
};

void PrintTo(const MalformedCase &testCase, std::ostream *out)
{
    std::istringstream text(testCase.text);
    std::string atFault;
    for (int line = 0; line < testCase.line; ++line)
        std::getline(text, atFault);
    *out << "line " << testCase.line << " \"" << atFault << "\"";
}

class MalformedScenario : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(MalformedScenario, NamesTheLineAtFault)
{
    try {
        parse(GetParam().text);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const ScenarioError &error) {
        EXPECT_EQ(error.Line(), GetParam().line) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedScenario,
    testing::Values(MalformedCase{"frobnicate ALPHA", 1}, MalformedCase{"server A\n\nserver a", 3},
                    MalformedCase{"server A version=4", 1}, MalformedCase{"server A version=4.x", 1},
                    MalformedCase{"server A version=300.1", 1}, MalformedCase{"server A rights=maybe", 1},
                    MalformedCase{"server A connections=0", 1}, MalformedCase{"server A connections=9", 1},
                    MalformedCase{"server A profile=nowhere", 1}, MalformedCase{"server A colour=blue", 1},
                    MalformedCase{"server A nokeyvalue", 1}, MalformedCase{"server A tree=yes", 1},
                    MalformedCase{"server A counter=4294967296", 1}, MalformedCase{"server", 1},
                    MalformedCase{"profile P idle=50 busy=10", 1}, MalformedCase{"profile busy idle=1", 1},
                    MalformedCase{"profile P speed=3", 1}, MalformedCase{"sequence NOBODY 1:2", 1},
                    MalformedCase{"server A\nsequence A 101:5", 2},
                    MalformedCase{"server A\nsequence A 5-6", 2}, MalformedCase{"server A\nsequence A", 2},
                    MalformedCase{"server A\ndrive 7 A SYS:", 2}, MalformedCase{"drive F NOBODY SYS:", 1},
                    MalformedCase{"server A\nstop A after 3 minutes", 2},
                    MalformedCase{"server A\nstop A before 3 seconds", 2},
                    MalformedCase{"server A\nrestart A after 3 calls at 5", 2},
                    MalformedCase{"server A\nrestart A after -3 calls", 2},
                    MalformedCase{"server A\nstop A after 3 calls for 0", 2},
                    MalformedCase{"server A\nstop A after 3 calls to 5", 2},
                    MalformedCase{"server A\nstop A after 3 seconds for", 2},
                    MalformedCase{"primary fails 0", 1}, MalformedCase{"primary fails XYZ", 1},
                    MalformedCase{"callsinit breaks 88FF", 1}, MalformedCase{"tree", 1},
                    MalformedCase{"server A manager=perhaps", 1}, MalformedCase{"server A broadcast=loud", 1},
                    MalformedCase{"server A date=2026-01", 1}, MalformedCase{"server A date=1899-01-01", 1},
                    MalformedCase{"server A\nbindery A robot X", 2}, MalformedCase{"bindery NOBODY user X", 1},
                    MalformedCase{"server A\nbindery A user X id=0", 2}, MalformedCase{"object CN=X User", 1},
                    MalformedCase{"tree T\nattribute CN=NOBODY Full_Name X", 2},
                    MalformedCase{"firstdrive 7", 1}, MalformedCase{"errormode silent", 1},
                    MalformedCase{"login A.1.2.3.4.5.6.7.8.9.10.11.12.13.14.O=15\nlogin A.1.2.3.4.5.6.7.8.9.10.11.12.13.14.15.O", 2},
                    MalformedCase{"tree T\nobject CN=1.2.3.4.5.6.7.8.9.10.11.12.13.14.15.16.O=17 User", 2},
                    MalformedCase{"context 1.2.3.4.5.6.7.8.9.10.11.12.13.14.15.16.17", 1},
                    MalformedCase{"server A\npassword A NOBODY x", 2},
                    MalformedCase{"password A SUPERVISOR x", 1},
                    MalformedCase{"server A\npassword A SUPERVISOR", 2},
                    MalformedCase{"login CN=OPS\nserver A\npassword A SUPERVISOR x", 3},
                    MalformedCase{"server A\nserver B\nbindery B user GUEST\npassword A GUEST x", 4},
                    MalformedCase{"server A\nwire A melt", 2}, MalformedCase{"server A\nwire A slow", 2},
                    MalformedCase{"server A\nwire A slow 60001", 2},
                    MalformedCase{"server A\nwire A drop after 3", 2},
                    MalformedCase{"server A\nwire A busy for 0", 2},
                    MalformedCase{"server A\nwire A busy for", 2},
                    MalformedCase{"server A\nwire A slow 1 for 2 after 3 seconds", 2},
                    MalformedCase{"server A\nwire A drop after 3 calls until 5", 2},
                    MalformedCase{"server A\nwire A trickle 5 after 3 minutes", 2},
                    MalformedCase{"wire NOBODY drop", 1}));

TEST(ScenarioParser, ReadsPasswordsAndWireFaults)
{
    const Scenario scenario = parse(R"(login CN=OPS.O=ACORN
server A
server B
bindery A user GUEST
password a ops Secret1
password A guest x
password B OPS other
wire A slow 250 after 10 seconds for 5
wire A trickle 20
wire A busy after 3 calls
wire a signing for 2
wire A drop
)");
    EXPECT_EQ(scenario.servers[0].passwords,
              (std::map<std::string, std::string>{{"GUEST", "x"}, {"OPS", "Secret1"}}));
    EXPECT_EQ(scenario.servers[1].passwords, (std::map<std::string, std::string>{{"OPS", "other"}}));
    EXPECT_THROW(parse("server A\npassword A SUPERVISOR " + std::string(128, 'p')), ScenarioError)
        << "longer than a servers file lets a password be";
    EXPECT_TRUE(scenario.servers[1].wireFaults.empty());

    // Kind, milliseconds, unit, start, length.
    using Seen = std::tuple<WireFaultKind, std::uint32_t, TriggerUnit, std::uint32_t, std::uint32_t>;
    std::vector<Seen> faults;
    for (const WireFault &fault : scenario.servers[0].wireFaults) {
        faults.emplace_back(fault.kind, fault.milliseconds, fault.start.unit, fault.start.value,
                            fault.length);
    }
    EXPECT_EQ(faults, (std::vector<Seen>{{WireFaultKind::Slow, 250, TriggerUnit::Seconds, 10, 5},
                                         {WireFaultKind::Trickle, 20, TriggerUnit::Seconds, 0, 0},
                                         {WireFaultKind::Busy, 0, TriggerUnit::Calls, 3, 0},
                                         {WireFaultKind::Signing, 0, TriggerUnit::Seconds, 0, 2},
                                         {WireFaultKind::Drop, 0, TriggerUnit::Seconds, 0, 0}}));
}

TEST(ScenarioParser, RefusesNamesLongerThanTheClientCouldHold)
{
    for (const std::string keyword : {"server ", "login ", "context ", "tree "}) {
        EXPECT_NO_THROW(parse(keyword + std::string(1024, 'N'))) << keyword;
        try {
            parse("# long\n" + keyword + std::string(1025, 'N'));
            ADD_FAILURE() << keyword;
        } catch (const ScenarioError &error) {
            EXPECT_EQ(error.Line(), 2) << keyword;
        }
    }
}

TEST(ScenarioParser, ReadsIdentityAndWorkstationLines)
{
    const Scenario scenario = parse(R"(tree T
login CN=OPS.O=ACORN Olive Penhallow
server A manager=no broadcast=stored date=2026-13-01
bindery A printserver PS1 id=1A2B Print Spooler
bindery A group STAFF
object CN=PRN1.OU=FAR.O=ACORN Print_Server
attribute CN=OPS.O=ACORN Telephone_Number 555 0199
firstdrive g
errormode netware
)");
    const ServerSetup &server = scenario.servers.at(0);
    EXPECT_EQ(server.manager, false);
    EXPECT_EQ(server.broadcastMode, 3);
    EXPECT_EQ(server.date, (std::array<std::uint8_t, 3>{126, 13, 1}));
    ASSERT_EQ(scenario.bindery.size(), 2u);
    EXPECT_EQ(scenario.bindery[0].type, 0x0700);
    EXPECT_EQ(scenario.bindery[0].id, 0x1A2Bu);
    EXPECT_EQ(scenario.bindery[0].identification, "Print Spooler");
    EXPECT_EQ(scenario.bindery[1].type, 0x0200);
    EXPECT_EQ(scenario.bindery[1].id, 0u);
    EXPECT_EQ(scenario.objects.at(0).objectClass, "Print Server");
    EXPECT_EQ(scenario.attributes.at(0).attribute, "Telephone Number");
    EXPECT_EQ(scenario.attributes.at(0).value, "555 0199");
    EXPECT_EQ(scenario.firstDrive, 7);
    EXPECT_EQ(scenario.errorMode, 1);
}
