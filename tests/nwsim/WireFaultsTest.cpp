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

class Faulty
{
public:
    explicit Faulty(const std::string &lines) : m_scenario(ParseScenario("server A\n" + lines)) {}

    std::unique_ptr<WireClient> Client() { return std::make_unique<WireClient>(m_server, now); }

    std::uint64_t now = 0;

private:
    Scenario m_scenario;
    Network m_network{m_scenario, [this] { return now; }};
    WireServer m_server{m_network, m_scenario, 0};
};

std::string kindOf(const ncp::Bytes &piece)
{
    if (piece.size() == 1) {
        return "byte";
    }
    return piece.size() > 9 && piece[8] == 0x99 && piece[9] == 0x99 ? "busy" : "reply";
}

// What goes out for one request, as the client sees it: each run of pieces of one kind as "kind@ms", or
// "kind@first..lastxcount", and "closed@ms" when the connection is dropped instead.
std::string timeline(WireClient &client, std::uint64_t &now)
{
    std::vector<std::pair<std::string, std::vector<std::uint64_t>>> runs;
    for (int pieces = 0; client.Session().Due() && pieces < 10'000; ++pieces) {
        now = *client.Session().Due();
        const std::string kind = kindOf(client.Session().Take(now));
        if (runs.empty() || runs.back().first != kind) {
            runs.push_back({kind, {}});
        }
        runs.back().second.push_back(now);
    }
    if (client.Session().Closing()) {
        runs.push_back({"closed", {now}});
    }
    std::string text;
    for (const auto &[kind, times] : runs) {
        text += (text.empty() ? "" : " ") + kind + "@" + std::to_string(times.front());
        if (times.size() > 1) {
            text += ".." + std::to_string(times.back()) + "x" + std::to_string(times.size());
        }
    }
    return text;
}

struct TimingCase
{
    const char *name;
    const char *lines;
    // When the connection is created; its reply is the one timed.
    std::uint64_t at;
    const char *timeline;
};

void PrintTo(const TimingCase &timing, std::ostream *out)
{
    *out << timing.name;
}

class WireFaultTiming : public testing::TestWithParam<TimingCase>
{
};

} // namespace

TEST_P(WireFaultTiming, ReplyGoesAsTheFaultLetsIt)
{
    Faulty face(GetParam().lines);
    face.now = GetParam().at;
    const std::unique_ptr<WireClient> client = face.Client();
    client->Send(Bytes("1111 00 ff 01 ff 00"));
    EXPECT_EQ(timeline(*client, face.now), GetParam().timeline);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WireFaultTiming,
    testing::Values(
        TimingCase{"None", "", 0, "reply@0"}, TimingCase{"Slow", "wire A slow 250", 0, "reply@250"},
        TimingCase{"NotYetSlow", "wire A slow 250 after 10 seconds", 9'999, "reply@9999"},
        TimingCase{"SlowFromItsSecond", "wire A slow 250 after 10 seconds", 10'000, "reply@10250"},
        TimingCase{"SlowNoLonger", "wire A slow 250 after 10 seconds for 5", 15'000, "reply@15000"},
        TimingCase{"Trickle", "wire A trickle 20", 0, "byte@0..300x16"},
        TimingCase{"Busy", "wire A busy after 10 seconds for 1", 10'000, "busy@10000..10900x10 reply@11000"},
        TimingCase{"BusyToItsEnd", "wire A busy after 10 seconds for 1", 10'950, "busy@10950 reply@11000"},
        TimingCase{"Drop", "wire A drop", 0, "closed@0"},
        TimingCase{"FirstFaultDecides", "wire A slow 300\nwire A drop", 0, "reply@300"},
        TimingCase{"StoppedServerIsSilent", "wire A drop\nstop A after 0 seconds", 0, ""},
        TimingCase{"CallFaultsSpareOtherRequests", "wire A drop after 0 calls", 0, "reply@0"}),
    [](const testing::TestParamInfo<TimingCase> &info) { return std::string(info.param.name); });

TEST(WireFaults, FaultsCountedInCallsCatchTheStatisticsRequestsInTheirRange)
{
    Faulty face("wire A drop after 2 calls for 1\nwire A busy after 4 calls for 1");
    std::vector<std::string> seen;
    for (int call = 0; call < 5; ++call) {
        const std::unique_ptr<WireClient> client = face.Client();
        client->Create();
        client->Send(Bytes("2222 01 01 01 00 7b 0001 02"));
        seen.push_back(timeline(*client, face.now));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"reply@0", "reply@0", "closed@0", "reply@0",
                                              "busy@0..900x10 reply@1000"}))
        << "a busy fault counted in calls holds each reply for a second";
}

TEST(WireFaults, SigningIsDemandedOfConnectionsThatNegotiateWhileItHolds)
{
    Faulty face("wire A signing after 5 seconds");
    const std::unique_ptr<WireClient> before = face.Client();
    before->Create();
    EXPECT_EQ(before->Call("61 1000 00")->data, Bytes("1000 0000 00"));
    face.now = 5'000;
    const std::unique_ptr<WireClient> after = face.Client();
    after->Create();
    EXPECT_EQ(after->Call("61 1000 00")->data, Bytes("1000 0000 02"));
    EXPECT_FALSE(after->Call("17 0001 11")) << "an unsigned request is not heard";
    EXPECT_TRUE(before->Call("17 0001 11"));
}

TEST(WireFaults, AStopCountedInCallsEndsAfterTheRequestsItIgnored)
{
    Faulty face("stop A after 1 calls for 2");
    const std::unique_ptr<WireClient> client = face.Client();
    client->Create();
    EXPECT_TRUE(client->Call("7b 0001 02"));
    EXPECT_FALSE(client->Call("7b 0001 02"));
    EXPECT_EQ(face.Client()->Create(), 0) << "a connection made again is ignored and counted too";
    EXPECT_TRUE(client->Call("7b 0001 02"));
}
