#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "ScriptedServer.h"
#include "ncp/Client.h"
#include "ncp/Codes.h"
#include "ncp/wire/Messages.h"

using namespace ncp;
using Answer = ScriptedServer::Answer;

namespace {

using Milliseconds = std::chrono::milliseconds;

// Waits for what the client does in the background are bounded by this, far beyond its own timings.
constexpr auto kPatience = std::chrono::seconds(20);

ServerEntry entryFor(std::uint16_t port, const std::string &user = {}, const std::string &password = {})
{
    ServerEntry entry;
    entry.host = "127.0.0.1";
    entry.port = port;
    entry.user = user;
    entry.password = password;
    return entry;
}

std::unique_ptr<Client> clientOf(std::initializer_list<const ScriptedServer *> servers,
                                 const std::string &user = {}, const std::string &password = {})
{
    ServersConfig config;
    for (const ScriptedServer *server : servers)
        config.servers.push_back(entryFor(server->Port(), user, password));
    return std::make_unique<Client>(std::move(config), nullptr);
}

// Until the connection is up (its number can be read), or the patience runs out.
bool waitUp(const Client &client, std::uint32_t handle)
{
    const auto end = Clock::now() + kPatience;
    std::uint16_t number = 0;
    while (client.GetConnectionNumber(handle, &number) != 0)
        if (Clock::now() > end)
            return false;
        else
            std::this_thread::sleep_for(Milliseconds(20));
    return true;
}

bool waitFor(const std::function<bool()> &condition)
{
    const auto end = Clock::now() + kPatience;
    while (!condition())
        if (Clock::now() > end)
            return false;
        else
            std::this_thread::sleep_for(Milliseconds(20));
    return true;
}

bool isStatistics(const Request &request)
{
    return request.function == function::kStatistics && request.subfunction == subfunction::kServerStatistics;
}

struct Reading
{
    std::uint32_t code = 0;
    std::uint32_t cpu = 0;
    std::uint32_t requests = 0;
    Clock::duration took{};
};

Reading readStatistics(const Client &client, std::uint32_t handle)
{
    StatisticsRecord record{};
    const auto start = Clock::now();
    Reading reading;
    reading.code = client.GetFileServerInfo(handle, record.data());
    reading.took = Clock::now() - start;
    reading.requests = ByteReader(ByteView(record).subspan(NW_SERVER_INFO_NCP_REQUESTS)).LittleEndian32();
    reading.cpu = ByteReader(ByteView(record).subspan(NW_SERVER_INFO_UTILIZATION)).LittleEndian32();
    return reading;
}

Bytes reply(const Request &request, const std::function<void(Reply &)> &change)
{
    Reply answer;
    answer.sequence = request.sequence;
    answer.connection = request.connection;
    answer.task = request.task;
    answer.data = ScriptedServer::Statistics(42, 1000);
    change(answer);
    return EncodeReplyFrame(answer);
}

Bytes operator+(Bytes first, const Bytes &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct Fault
{
    const char *name;
    std::function<Answer(const Request &)> answer;
    std::uint32_t code;
    // The client gives the connection up and makes a new one.
    bool reconnects;
};

const Fault kFaults[] = {
    {"Truncated", [](const Request &r) { return ScriptedServer::ReplyTo(r, 0, Bytes(10)); },
     codes::kBadReplyLength, false},
    {"NoConsoleRights", [](const Request &r) { return ScriptedServer::ReplyTo(r, 0xC6); }, 0x89C6, false},
    {"OverLong",
     [](const Request &) {
         return Answer{ByteWriter().BigEndian32(kReplySignature).BigEndian32(0x100000).Take()};
     },
     codes::kRequesterFailure, true},
    {"WrongSequence", [](const Request &r) { return Answer{reply(r, [](Reply &a) { ++a.sequence; })}; },
     codes::kRequesterFailure, true},
    {"WrongConnection", [](const Request &r) { return Answer{reply(r, [](Reply &a) { ++a.connection; })}; },
     codes::kRequesterFailure, true},
    {"UnknownPacketType",
     [](const Request &r) { return Answer{reply(r, [](Reply &a) { a.type = PacketType(0x4444); })}; },
     codes::kRequesterFailure, true},
    {"BadConnectionStatus",
     [](const Request &r) { return Answer{reply(r, [](Reply &a) { a.status = 0x01; })}; },
     codes::kInvalidConnection, true},
    {"ServerGoingDown", [](const Request &r) { return Answer{reply(r, [](Reply &a) { a.status = 0x10; })}; },
     codes::kConnectionLost, true},
    {"DroppedMidReply",
     [](const Request &r) {
         Bytes whole = reply(r, [](Reply &) {});
         whole.resize(whole.size() / 2);
         return Answer{whole, false, true};
     },
     codes::kConnectionLost, true},
    {"NoticeBeforeTheReply",
     [](const Request &r) {
         return Answer{reply(r, [](Reply &a) { a.type = PacketType::Notice; }) + reply(r, [](Reply &) {})};
     },
     0, false},
    {"BusyBeforeTheReply",
     [](const Request &r) {
         return Answer{reply(r, [](Reply &a) { a.type = PacketType::Busy, a.data.clear(); }) +
                       reply(r, [](Reply &) {})};
     },
     0, false},
    {"OneByteSegments",
     [](const Request &r) {
         return Answer{reply(r, [](Reply &) {}), true};
     },
     0, false},
    {"Silent", [](const Request &) { return Answer{}; }, codes::kConnectionLost, true},
    {"BusyStorm",
     [](const Request &r) {
         Bytes storm;
         for (int i = 0; i < 50; ++i)
             storm = storm + reply(r, [](Reply &a) { a.type = PacketType::Busy, a.data.clear(); });
         return Answer{storm};
     },
     codes::kConnectionLost, true},
};

class ServerFault : public testing::TestWithParam<Fault>
{
};

} // namespace

TEST(Client, LogsInAndAnswersTheMonitorsCalls)
{
    std::atomic<int> logins = 0, goodbyes = 0;
    ScriptedServer server(ScriptedServer::Standard("ALPHA", "SECRET", [&](const Request &request, int) {
        logins += request.subfunction == subfunction::kKeyedLogin && request.function == function::kBindery;
        goodbyes += request.type == PacketType::Destroy;
        return std::optional<Answer>();
    }));
    auto client = clientOf({&server}, "supervisor", "secret");

    std::uint32_t iterator = 0, reference = 0;
    ASSERT_EQ(client->ScanConnRefs(&iterator, &reference), 0u);
    std::uint8_t info[NW_CONN_REF_INFO_SIZE];
    ASSERT_EQ(client->GetAllConnRefInfo(reference, 1, info), 0u);
    EXPECT_STREQ(reinterpret_cast<char *>(info + NW_CONN_REF_INFO_NAME), "ALPHA");
    EXPECT_EQ(info[NW_CONN_REF_INFO_VALUE], 7);
    EXPECT_EQ(client->ScanConnRefs(&iterator, &reference), codes::kNoMoreEntries);

    std::uint32_t handle = 0;
    ASSERT_EQ(client->OpenConnByName("alpha", &handle), 0u);
    const Reading reading = readStatistics(*client, handle);
    EXPECT_EQ(reading.code, 0u);
    EXPECT_EQ(reading.cpu, 42u);
    EXPECT_EQ(reading.requests, 1000u);
    std::uint8_t major = 0, minor = 0;
    EXPECT_EQ(client->GetFileServerInformation(0, nullptr, &major, &minor, nullptr, nullptr, nullptr, nullptr,
                                               nullptr, nullptr, nullptr),
              0u);
    EXPECT_EQ(major * 100 + minor, 570);
    char tree[NW_NAME_BUFFER_SIZE] = "x";
    EXPECT_EQ(client->IsDSServer(handle, tree), 0u) << "the server answers 0xFB: no directory";
    EXPECT_STREQ(tree, "");
    EXPECT_EQ(client->OpenConnByName("BRAVO", &handle), codes::kNoSuchObject);
    EXPECT_EQ(logins, 1);
    client.reset();
    EXPECT_EQ(goodbyes, 1) << "the connection ends with a goodbye";
}

// A wrong password is not tried again when the connection is made anew: repeated failures lock accounts.
// Servers refuse it with either of two codes.
TEST(Client, ARefusedLoginIsNotRepeated)
{
    for (const std::uint8_t refusal : {0xDE, 0xFF}) {
        std::atomic<int> logins = 0;
        ScriptedServer server(
            ScriptedServer::Standard("ALPHA", "SECRET", [&](const Request &request, int connection) {
                if (request.function == function::kBindery &&
                    request.subfunction == subfunction::kKeyedLogin) {
                    ++logins;
                    return std::optional<Answer>(ScriptedServer::ReplyTo(request, refusal));
                }
                if (connection == 1 && isStatistics(request))
                    return std::optional<Answer>(Answer{{}, false, true});
                return std::optional<Answer>();
            }));
        auto client = clientOf({&server}, "supervisor", "wrong");
        ASSERT_TRUE(waitUp(*client, 1));
        EXPECT_EQ(readStatistics(*client, 1).code, codes::kConnectionLost);
        ASSERT_TRUE(
            waitFor([&] { return server.Connections() == 2 && readStatistics(*client, 1).code == 0; }));
        EXPECT_EQ(logins, 1) << std::hex << int(refusal);
    }
}

// Whatever the server sends, the call ends in time with a code, and the statistics come again once the
// server behaves: on the same connection, or on a new one where the old one could no longer be trusted.
TEST_P(ServerFault, FailsTheCallInTimeAndRecovers)
{
    const Fault &fault = GetParam();
    std::atomic<bool> faulted = false;
    ScriptedServer server(ScriptedServer::Standard("ALPHA", {}, [&](const Request &request, int connection) {
        if (connection == 1 && isStatistics(request) && !faulted.exchange(true))
            return std::optional<Answer>(fault.answer(request));
        return std::optional<Answer>();
    }));
    auto client = clientOf({&server});
    ASSERT_TRUE(waitUp(*client, 1));

    const Reading first = readStatistics(*client, 1);
    EXPECT_EQ(first.code, fault.code);
    EXPECT_LT(first.took, Milliseconds(2000));
    if (fault.code == 0) {
        EXPECT_EQ(first.cpu, 42u);
    }
    ASSERT_TRUE(waitFor([&] { return readStatistics(*client, 1).code == 0; }));
    EXPECT_EQ(server.Connections(), fault.reconnects ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Replies, ServerFault, testing::ValuesIn(kFaults),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Client, AServerThatInsistsOnSigningIsNotServed)
{
    ScriptedServer server(ScriptedServer::Standard("ALPHA", {}, [](const Request &request, int) {
        if (request.function != function::kBigPacket)
            return std::optional<Answer>();
        return std::optional<Answer>(
            ScriptedServer::ReplyTo(request, 0, EncodeBufferReply({4096, kSecuritySigning})));
    }));
    auto client = clientOf({&server});
    std::uint32_t iterator = 0;
    EXPECT_EQ(client->ScanConnRefs(&iterator, nullptr), codes::kNoMoreEntries);
    EXPECT_EQ(readStatistics(*client, 1).code, codes::kSignatureRequired);
}

TEST(Client, OlderServersNegotiateThePlainWay)
{
    std::atomic<int> plain = 0;
    ScriptedServer server(ScriptedServer::Standard("ALPHA", {}, [&](const Request &request, int) {
        if (request.function == function::kBigPacket)
            return std::optional<Answer>(ScriptedServer::ReplyTo(request, 0xFB));
        plain += request.function == function::kNegotiateBuffer;
        return std::optional<Answer>();
    }));
    auto client = clientOf({&server});
    ASSERT_TRUE(waitUp(*client, 1));
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(readStatistics(*client, 1).code, 0u);
}

// The first scan gives the servers a moment to answer, all at once: a slow one is listed, a silent one
// costs the scan no more than that moment, and one that refuses fails every call at once.
TEST(Client, TheFirstScanWaitsForTheServersThatAnswer)
{
    ScriptedServer slow(ScriptedServer::Standard("SLOW", {}, [](const Request &request, int) {
        if (request.function == function::kBindery && request.subfunction == subfunction::kServerInformation)
            std::this_thread::sleep_for(Milliseconds(300));
        return std::optional<Answer>();
    }));
    ScriptedServer silent([](const Request &, int) { return Answer{}; });
    std::uint16_t refusingPort = 0;
    {
        ScriptedServer closed([](const Request &, int) { return Answer{}; });
        refusingPort = closed.Port();
    }
    auto client = clientOf({&slow, &silent});
    const auto start = Clock::now();
    std::uint32_t iterator = 0, reference = 0;
    ASSERT_EQ(client->ScanConnRefs(&iterator, &reference), 0u);
    EXPECT_EQ(client->ScanConnRefs(&iterator, &reference), codes::kNoMoreEntries);
    EXPECT_LT(Clock::now() - start, Client::kStartWait + Milliseconds(1000));
    char name[NW_NAME_BUFFER_SIZE];
    EXPECT_EQ(client->GetFileServerName(1, name), 0u);
    EXPECT_STREQ(name, "SLOW");

    ServersConfig refused;
    refused.servers.push_back(entryFor(refusingPort));
    Client refusing(refused, nullptr);
    iterator = 0;
    EXPECT_EQ(refusing.ScanConnRefs(&iterator, &reference), codes::kNoMoreEntries);
    EXPECT_EQ(readStatistics(refusing, 0).code, codes::kNoServer);
    EXPECT_LT(readStatistics(refusing, 0).took, Milliseconds(100));
}

TEST(Client, TracesEachSessionToAPrivateCaptureFile)
{
    const std::string path = testing::TempDir() + "/sembrolin-trace-" + std::to_string(::getpid()) + ".pcap";
    ScriptedServer server(ScriptedServer::Standard("ALPHA"));
    {
        ServersConfig config;
        config.servers.push_back(entryFor(server.Port()));
        std::string error;
        Client client(config, Trace::Open(path, error));
        ASSERT_TRUE(waitUp(client, 1));
        EXPECT_EQ(readStatistics(client, 1).code, 0u);
    }
    struct stat status
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xD4\xC3\xB2\xA1", 4));
    EXPECT_NE(bytes.find("DmdT"), std::string::npos);
    EXPECT_NE(bytes.find("tNcP"), std::string::npos);
    std::filesystem::remove(path);
}
