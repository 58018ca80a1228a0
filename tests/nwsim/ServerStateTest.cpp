#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "netware/nwclient.h"
#include "nwsim/LoadModel.h"
#include "nwsim/ServerState.h"
#include "nwsim/SimCodes.h"

using namespace nwsim;

namespace {

using Record = std::array<std::uint8_t, NW_SERVER_INFO_SIZE>;

std::uint32_t field(const Record &record, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | record[offset + std::size_t(i)];
    }
    return value;
}

struct Reading
{
    std::uint32_t code;
    std::uint32_t cpu;
    std::uint32_t counter;
};

Reading readAt(ServerState &server, std::uint64_t millisecond)
{
    Record record{};
    const std::uint32_t code = server.Statistics(millisecond, record.data());
    return {code, field(record, NW_SERVER_INFO_UTILIZATION), field(record, NW_SERVER_INFO_NCP_REQUESTS)};
}

Reading read(ServerState &server, std::uint64_t second)
{
    return readAt(server, second * 1000);
}

ServerSetup setup()
{
    ServerSetup s;
    s.name = "TESTSRV";
    s.seed = 77;
    s.counterStart = 1000;
    return s;
}

std::uint64_t requestsBetween(const ServerSetup &s, std::uint64_t from, std::uint64_t to)
{
    const LoadModel model(s.profile, s.seed);
    std::uint64_t total = 0;
    for (std::uint64_t second = from; second < to; ++second) {
        total += model.Requests(second);
    }
    return total;
}

} // namespace

TEST(ServerState, SequencePairsComeInOrderAndTheLastRepeats)
{
    ServerSetup s = setup();
    s.samples = {{5, 1000}, {7, 1100}};
    ServerState server(s);
    const Reading first = read(server, 0);
    EXPECT_EQ(first.cpu, 5u);
    EXPECT_EQ(first.counter, 1000u);
    for (int i = 0; i < 3; ++i) {
        const Reading later = read(server, 0);
        EXPECT_EQ(later.cpu, 7u);
        EXPECT_EQ(later.counter, 1100u);
    }
}

TEST(ServerState, RefusedRequestLeavesTheRecordAlone)
{
    ServerSetup s = setup();
    s.consoleRights = false;
    s.samples = {{5, 1000}};
    ServerState server(s);
    Record record;
    record.fill(0xAB);
    EXPECT_EQ(server.Statistics(0, record.data()), NW_ERR_NO_CONSOLE_RIGHTS);
    EXPECT_TRUE(std::ranges::all_of(record, [](std::uint8_t b) { return b == 0xAB; }));
}

TEST(ServerState, OlderServersDoNotSupportStatistics)
{
    ServerSetup s = setup();
    s.majorVersion = 3;
    ServerState server(s);
    EXPECT_EQ(read(server, 5).code, NW_ERR_NOT_SUPPORTED);
}

TEST(ServerState, CounterGrowsByTheRequestsAndWrapsModulo2To32)
{
    ServerSetup s = setup();
    s.counterStart = 0xFFFFFF00u;
    ServerState server(s);
    EXPECT_EQ(read(server, 0).counter, 0xFFFFFF00u);
    const std::uint64_t requests = requestsBetween(s, 0, 30);
    ASSERT_GT(requests, 0x100u) << "the profile must carry the counter past 2^32 within 30 s";
    const Reading wrapped = read(server, 30);
    EXPECT_EQ(wrapped.counter, std::uint32_t(0xFFFFFF00u + requests));
    EXPECT_LT(wrapped.counter, 0xFFFFFF00u);
}

TEST(ServerState, ReadsAtTheSameMomentAgreeAndSecondsMoveSmoothly)
{
    ServerState one(setup());
    ServerState two(setup());
    EXPECT_EQ(read(one, 1234).counter, read(two, 1234).counter);
    EXPECT_EQ(read(one, 1234).cpu, read(two, 1234).cpu);
    // Going back in time recomputes rather than reusing a later sum.
    EXPECT_EQ(read(one, 10).counter, 1000u + requestsBetween(setup(), 0, 10));
}

TEST(ServerState, ReadsOneSecondApartSeeOneSecondOfRequestsWhereverTheyFall)
{
    const LoadModel model(setup().profile, setup().seed);
    ServerState server(setup());
    for (std::uint64_t start : {5000u, 5001u, 5499u, 5999u, 6998u}) {
        const std::uint32_t before = readAt(server, start).counter;
        const std::uint32_t after = readAt(server, start + 1000).counter;
        const std::uint64_t second = start / 1000;
        const auto [low, high] = std::minmax({model.Requests(second), model.Requests(second + 1)});
        EXPECT_GE(after - before, low - 1) << start;
        EXPECT_LE(after - before, high + 1) << start;
    }
}

TEST(ServerState, CounterRestartsAtTheGivenSecond)
{
    ServerSetup s = setup();
    s.restart = Trigger{TriggerUnit::Seconds, 20};
    s.restartValue = 100;
    ServerState server(s);
    EXPECT_EQ(read(server, 10).counter, 1000u + requestsBetween(s, 0, 10));
    EXPECT_EQ(read(server, 25).counter, 100u + requestsBetween(s, 20, 25));
    EXPECT_EQ(read(server, 26).counter, 100u + requestsBetween(s, 20, 26));
}

TEST(ServerState, CounterRestartsAtTheGivenCall)
{
    ServerSetup s = setup();
    s.restart = Trigger{TriggerUnit::Calls, 3};
    s.restartValue = 50;
    ServerState server(s);
    EXPECT_GT(read(server, 1).counter, 1000u);
    EXPECT_GT(read(server, 2).counter, 1000u);
    EXPECT_EQ(read(server, 3).counter, 50u);
    EXPECT_EQ(read(server, 4).counter, 50u + requestsBetween(s, 3, 4));
}

TEST(ServerState, StopsAnsweringAfterTheGivenSeconds)
{
    ServerSetup s = setup();
    s.stop = Trigger{TriggerUnit::Seconds, 30};
    ServerState server(s);
    EXPECT_EQ(read(server, 29).code, NW_SUCCESS);
    EXPECT_EQ(read(server, 30).code, codes::kServerNotResponding);
    EXPECT_FALSE(server.Answering(31));
}

TEST(ServerState, StopsAnsweringAfterTheGivenCalls)
{
    ServerSetup s = setup();
    s.stop = Trigger{TriggerUnit::Calls, 2};
    ServerState server(s);
    EXPECT_EQ(read(server, 0).code, NW_SUCCESS);
    EXPECT_EQ(read(server, 1).code, NW_SUCCESS);
    EXPECT_EQ(read(server, 2).code, codes::kServerNotResponding);
    EXPECT_EQ(read(server, 3).code, codes::kServerNotResponding);
}

// Which of the reads at seconds 0, 1, 2, ... are answered while a stop of the given length runs.
struct Outage
{
    const char *name;
    Trigger stop;
    std::uint32_t length;
    std::string answered;
};

void PrintTo(const Outage &outage, std::ostream *out)
{
    *out << outage.name;
}

class ServerOutage : public testing::TestWithParam<Outage>
{};

TEST_P(ServerOutage, AnswersAgainWhenTheStopEnds)
{
    ServerSetup s = setup();
    s.stop = GetParam().stop;
    s.stopLength = GetParam().length;
    ServerState server(s);
    std::string answered;
    for (std::uint64_t second = 0; second < GetParam().answered.size(); ++second)
        answered += read(server, second).code == NW_SUCCESS ? 'y' : '-';
    EXPECT_EQ(answered, GetParam().answered);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, ServerOutage,
    testing::Values(Outage{"SecondsForEver", {TriggerUnit::Seconds, 2}, 0, "yy------"},
                    Outage{"Seconds", {TriggerUnit::Seconds, 2}, 3, "yy---yyy"},
                    Outage{"CallsForEver", {TriggerUnit::Calls, 3}, 0, "yyy-----"},
                    Outage{"Calls", {TriggerUnit::Calls, 3}, 2, "yyy--yyy"},
                    Outage{"FromTheStart", {TriggerUnit::Seconds, 0}, 1, "-yyyyyyy"}),
    [](const testing::TestParamInfo<Outage> &info) { return std::string(info.param.name); });

TEST(LoadModel, LooksLikeARealServerOverAnHour)
{
    const LoadModel model(LoadProfile{}, 99);
    std::uint32_t lowest = 100;
    std::uint32_t highest = 0;
    std::uint64_t steps = 0;
    std::uint32_t previous = model.Cpu(0);
    for (std::uint64_t second = 0; second < 3600; ++second) {
        const std::uint32_t cpu = model.Cpu(second);
        ASSERT_LE(cpu, 100u);
        lowest = std::min(lowest, cpu);
        highest = std::max(highest, cpu);
        steps += std::uint64_t(std::abs(int(cpu) - int(previous)));
        previous = cpu;
        EXPECT_GT(model.Requests(second), 0u);
    }
    EXPECT_LE(lowest, 10u) << "no idle period";
    EXPECT_GE(highest, 40u) << "no busy period";
    EXPECT_LT(double(steps) / 3600.0, 4.0) << "too jumpy";
}

TEST(LoadModel, DifferentSeedsGiveDifferentServers)
{
    const LoadModel a(LoadProfile{}, 1);
    const LoadModel b(LoadProfile{}, 2);
    int differences = 0;
    for (std::uint64_t second = 0; second < 100; ++second) {
        differences += a.Cpu(second) != b.Cpu(second) ? 1 : 0;
    }
    EXPECT_GT(differences, 50);
}
