#include <atomic>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "ncp/Client.h"
#include "ncp/Codes.h"
#include "nwsim/ScenarioParser.h"
#include "nwsim/face/FaceLoop.h"

using namespace ncp;

namespace {

// The simulated network on the wire, served on a thread of its own for as long as a test runs.
class RunningFace
{
public:
    explicit RunningFace(const std::string &scenario)
    {
        std::istringstream text(scenario);
        m_loop = std::make_unique<nwsim::FaceLoop>(nwsim::ScenarioParser::Parse(text),
                                                   nwsim::FaceOptions::ParseAddress("127.0.0.1:0"));
        m_thread = std::thread([this] {
            while (!m_stop)
                m_loop->Step(20);
        });
    }
    ~RunningFace()
    {
        m_stop = true;
        m_thread.join();
    }

    std::uint16_t Port() const
    {
        const std::string &address = m_loop->Listeners().front().address;
        return std::uint16_t(std::stoi(address.substr(address.rfind(':') + 1)));
    }

private:
    std::unique_ptr<nwsim::FaceLoop> m_loop;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

struct WireCase
{
    const char *name;
    // The server line and anything more the scenario says of it.
    const char *server;
    const char *password;
    // What the first statistics request gets; whether later ones get the figures.
    std::uint32_t code;
    bool recovers;
};

class FaceWire : public testing::TestWithParam<WireCase>
{
};

std::uint32_t statistics(const Client &client, std::uint8_t *cpu = nullptr)
{
    std::uint8_t record[NW_SERVER_INFO_SIZE] = {};
    const std::uint32_t code = client.GetFileServerInfo(1, record);
    if (cpu != nullptr)
        *cpu = record[NW_SERVER_INFO_UTILIZATION];
    return code;
}

bool eventually(const std::function<bool()> &condition)
{
    const auto end = Clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace

// Our client against each fault the simulated network puts on the wire: the first statistics request fails
// with the code a user then sees (or succeeds), in time, and the figures come back once the fault is over.
TEST_P(FaceWire, TheClientSeesWhatTheServerDoes)
{
    const WireCase &row = GetParam();
    const RunningFace face(std::string("login CN=OPS.O=ACORN\n") + row.server +
                           "\npassword ALDER OPS Thistle\nsequence ALDER 42:1000\n");
    ServersConfig config;
    ServerEntry entry;
    entry.host = "127.0.0.1";
    entry.port = face.Port();
    entry.user = "ops";
    entry.password = row.password;
    config.servers.push_back(entry);
    const Client client(config, nullptr);
    std::uint32_t iterator = 0;
    client.ScanConnRefs(&iterator, nullptr);

    const auto start = Clock::now();
    std::uint8_t cpu = 0;
    EXPECT_EQ(statistics(client, &cpu), row.code);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    if (row.code == 0) {
        EXPECT_EQ(cpu, 42);
    }
    if (row.recovers) {
        EXPECT_TRUE(eventually([&] { return statistics(client) == 0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaceWire,
    testing::Values(
        WireCase{"Answers", "server ALDER version=5.70", "Thistle", 0, true},
        WireCase{"SlowInTime", "server ALDER version=5.70\nwire ALDER slow 40", "Thistle", 0, true},
        WireCase{"OneByteAtATime", "server ALDER version=5.70\nwire ALDER trickle 0", "Thistle", 0, true},
        WireCase{"TooSlow", "server ALDER version=5.70\nwire ALDER slow 600 after 0 calls for 1", "Thistle",
                 codes::kConnectionLost, true},
        WireCase{"Busy", "server ALDER version=5.70\nwire ALDER busy after 0 calls for 1", "Thistle",
                 codes::kConnectionLost, true},
        WireCase{"Dropped", "server ALDER version=5.70\nwire ALDER drop after 0 calls for 1", "Thistle",
                 codes::kConnectionLost, true},
        WireCase{"SilentAtFirst", "server ALDER version=5.70\nstop ALDER after 0 calls for 1", "Thistle",
                 codes::kNoConnection, true},
        WireCase{"RequiresSigning", "server ALDER version=5.70\nwire ALDER signing", "Thistle",
                 codes::kSignatureRequired, false},
        WireCase{"NetWare3", "server ALDER version=3.12", "Thistle", 0x89FB, false},
        WireCase{"NoConsoleRights", "server ALDER version=5.70 rights=no", "Thistle", 0x89C6, false},
        WireCase{"WrongPassword", "server ALDER version=5.70", "Bramble", 0x89C6, false}),
    [](const auto &info) { return std::string(info.param.name); });
