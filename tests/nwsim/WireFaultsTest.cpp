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

// What goes out for one request, as the client would see it: "kind@ms" for each piece, a run of one kind at
// an even pace as "kind*count/step@first", and "closed@ms" when the connection is dropped instead.
std::string timeline(WireClient &client, std::uint64_t &now)
{
    struct Run
    {
        std::string kind;
        std::uint64_t first;
        std::uint64_t step;
        int count;
    };
    std::vector<Run> runs;
    for (int pieces = 0; client.Session().Due() && pieces < 10'000; ++pieces) {
        now = *client.Session().Due();
        const std::string kind = kindOf(client.Session().Take(now));
        Run *last = runs.empty() ? nullptr : &runs.back();
        if (last != nullptr && last->kind == kind &&
            (last->count == 1 || now - last->first == last->step * last->count)) {
            last->step = (now - last->first) / last->count;
            ++last->count;
        } else {
            runs.push_back({kind, now, 0, 1});
        }
    }
    std::string text;
    for (const Run &run : runs) {
        text += (text.empty() ? "" : " ") + run.kind;
        if (run.count > 1) {
            text += "*" + std::to_string(run.count) + "/" + std::to_string(run.step);
        }
        text += "@" + std::to_string(run.first);
    }
    if (client.Session().Closing()) {
        text += (text.empty() ? "" : " ") + std::string("closed@") + std::to_string(now);
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
    client->Send(Pattern("1111 00 ff 01 ff 00").Exact());
    EXPECT_EQ(timeline(*client, face.now), GetParam().timeline);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WireFaultTiming,
    testing::Values(
        TimingCase{"None", "", 0, "reply@0"}, TimingCase{"Slow", "wire A slow 250", 0, "reply@250"},
        TimingCase{"NotYetSlow", "wire A slow 250 after 10 seconds", 9'999, "reply@9999"},
        TimingCase{"SlowFromItsSecond", "wire A slow 250 after 10 seconds", 10'000, "reply@10250"},
        TimingCase{"SlowNoLonger", "wire A slow 250 after 10 seconds for 5", 15'000, "reply@15000"},
        TimingCase{"Trickle", "wire A trickle 20", 0, "byte*16/20@0"},
        TimingCase{"Busy", "wire A busy after 10 seconds for 1", 10'000, "busy*10/100@10000 reply@11000"},
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
        client->Send(Pattern("2222 01 01 01 00 7b 0001 02").Exact());
        seen.push_back(timeline(*client, face.now));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"reply@0", "reply@0", "closed@0", "reply@0",
                                              "busy*10/100@0 reply@1000"}))
        << "a busy fault counted in calls holds each reply for a second";
}

TEST(WireFaults, SigningIsDemandedOfConnectionsThatNegotiateWhileItHolds)
{
    Faulty face("wire A signing after 5 seconds");
    const std::unique_ptr<WireClient> before = face.Client();
    before->Create();
    EXPECT_EQ(before->Call("61 1000 00")->data, Pattern("1000 0000 00").Exact());
    face.now = 5'000;
    const std::unique_ptr<WireClient> after = face.Client();
    after->Create();
    EXPECT_EQ(after->Call("61 1000 00")->data, Pattern("1000 0000 02").Exact());
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
