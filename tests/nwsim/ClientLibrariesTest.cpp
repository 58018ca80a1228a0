#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "netware/nwclient.h"
#include "nwsim/Network.h"

using nwsim::Network;
using nwsim::Scenario;

namespace {

#define NAME_OF(entryPoint) #entryPoint,
const std::vector<const char *> kCalls = {NW_CALLS_ENTRY_POINTS(NAME_OF)};
const std::vector<const char *> kConnections = {NW_CONNECTIONS_ENTRY_POINTS(NAME_OF)};
const std::vector<const char *> kDirectory = {NW_DIRECTORY_ENTRY_POINTS(NAME_OF)};
const std::vector<const char *> kLocale = {NW_LOCALE_ENTRY_POINTS(NAME_OF)};
#undef NAME_OF

// The libraries stay loaded for the whole test program, as the monitor keeps them.
void *load(const std::string &relative)
{
    const std::string path = std::string(NWSIM_BIN_DIR) + "/" + relative;
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << path << ": " << dlerror();
    return handle;
}

template <typename F> F entry(const std::string &library, const char *name)
{
    void *symbol = dlsym(load(library), name);
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<F>(symbol);
}

std::vector<const char *> exported(void *library, const std::vector<const char *> &names)
{
    std::vector<const char *> found;
    for (const char *name : names) {
        if (dlsym(library, name) != nullptr) {
            found.push_back(name);
        }
    }
    return found;
}

Scenario longNameScenario(const std::string &name)
{
    Scenario scenario;
    nwsim::ServerSetup server;
    server.name = name;
    scenario.servers.push_back(server);
    return scenario;
}

constexpr char kGuard = '\x5A';

bool guardIntact(const std::vector<char> &buffer, std::size_t from)
{
    for (std::size_t i = from; i < buffer.size(); ++i) {
        if (buffer[i] != kGuard) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(ClientLibraries, EachExportsExactlyItsEntryPoints)
{
    const std::vector<std::pair<const char *, const std::vector<const char *> *>> libraries = {
        {NW_LIB_CALLS, &kCalls},
        {NW_LIB_CONNECTIONS, &kConnections},
        {NW_LIB_DIRECTORY, &kDirectory},
        {NW_LIB_LOCALE, &kLocale}};
    for (const auto &[file, own] : libraries) {
        void *library = load(file);
        EXPECT_EQ(exported(library, *own).size(), own->size()) << file;
        for (const auto &[otherFile, other] : libraries) {
            if (other != own) {
                EXPECT_TRUE(exported(library, *other).empty()) << file << " exports calls of " << otherFile;
            }
        }
        // A lookup through the handle also searches the shared state library, where internals belong.
        Dl_info where{};
        ASSERT_NE(dladdr(dlsym(library, "_ZN5nwsim7Network8InstanceEv"), &where), 0);
        EXPECT_NE(std::string(where.dli_fname).find("libnwsimstate.so"), std::string::npos)
            << file << " carries internals of its own";
    }
}

TEST(ClientLibraries, LegacyVariantHasOnlyTheOlderCalls)
{
    EXPECT_EQ(exported(load(std::string("legacy/") + NW_LIB_CALLS), kCalls).size(), kCalls.size());
    for (const char *file : {NW_LIB_CALLS, NW_LIB_CONNECTIONS, NW_LIB_DIRECTORY, NW_LIB_LOCALE}) {
        void *library = load(std::string("legacy/") + file);
        EXPECT_TRUE(exported(library, kConnections).empty()) << file;
        EXPECT_TRUE(exported(library, kDirectory).empty()) << file;
        EXPECT_TRUE(exported(library, kLocale).empty()) << file;
    }
}

TEST(ClientLibraries, AllLibrariesShareOneNetwork)
{
    Scenario scenario = Scenario::BuiltIn();
    scenario.servers[0].samples = {{11, 100}, {22, 200}, {33, 300}};
    Network::Reset(scenario);
    const auto modern = entry<NWGetFileServerInfo_fn>(NW_LIB_CALLS, "NWGetFileServerInfo");
    const auto legacy =
        entry<NWGetFileServerInfo_fn>(std::string("legacy/") + NW_LIB_CALLS, "NWGetFileServerInfo");
    const auto openByRef = entry<NWCCOpenConnByRef_fn>(NW_LIB_CONNECTIONS, "NWCCOpenConnByRef");
    const auto primaryRef = entry<NWCCGetPrimConnRef_fn>(NW_LIB_CONNECTIONS, "NWCCGetPrimConnRef");
    std::uint32_t reference = 0;
    std::uint32_t handle = 0;
    ASSERT_EQ(primaryRef(&reference), NW_SUCCESS);
    ASSERT_EQ(openByRef(reference, 1, 0, &handle), NW_SUCCESS);
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    ASSERT_EQ(modern(handle, record.data()), NW_SUCCESS);
    EXPECT_EQ(record[NW_SERVER_INFO_UTILIZATION], 11);
    ASSERT_EQ(legacy(handle, record.data()), NW_SUCCESS);
    EXPECT_EQ(record[NW_SERVER_INFO_UTILIZATION], 22);
    ASSERT_EQ(modern(0, record.data()), NW_SUCCESS);
    EXPECT_EQ(record[NW_SERVER_INFO_UTILIZATION], 33);
    EXPECT_EQ(entry<NWLongSwap_fn>(NW_LIB_CALLS, "NWLongSwap")(0x00012345u), 0x45230100u);
}

TEST(ClientLibraries, LongestNamesNeverOverflowTheCallersBuffers)
{
    const std::string name(1024, 'N');
    Network::Reset(longNameScenario(name));
    std::vector<char> buffer(NW_NAME_BUFFER_SIZE + 64, kGuard);

    ASSERT_EQ(entry<NWGetFileServerName_fn>(NW_LIB_CALLS, "NWGetFileServerName")(0, buffer.data()),
              NW_SUCCESS);
    EXPECT_EQ(std::string(buffer.data()), name);
    EXPECT_TRUE(guardIntact(buffer, name.size() + 1));

    std::fill(buffer.begin(), buffer.end(), kGuard);
    const auto connInfo = entry<NWCCGetConnInfo_fn>(NW_LIB_CONNECTIONS, "NWCCGetConnInfo");
    ASSERT_EQ(connInfo(1, NW_CONN_INFO_SERVER_NAME, NW_CONN_INFO_NAME_SIZE, buffer.data()), NW_SUCCESS);
    EXPECT_TRUE(guardIntact(buffer, NW_CONN_INFO_NAME_SIZE));

    std::vector<char> info(NW_CONN_REF_INFO_SIZE + 64, kGuard);
    std::uint32_t iterator = 0;
    std::uint32_t reference = 0;
    ASSERT_EQ(entry<NWCCScanConnRefs_fn>(NW_LIB_CONNECTIONS, "NWCCScanConnRefs")(&iterator, &reference),
              NW_SUCCESS);
    ASSERT_EQ(entry<NWCCGetAllConnRefInfo_fn>(NW_LIB_CONNECTIONS, "NWCCGetAllConnRefInfo")(
                  reference, 1, reinterpret_cast<std::uint8_t *>(info.data())),
              NW_SUCCESS);
    EXPECT_EQ(std::strlen(info.data() + NW_CONN_REF_INFO_NAME),
              NW_CONN_REF_INFO_SIZE - NW_CONN_REF_INFO_NAME - 1);
    EXPECT_TRUE(guardIntact(info, NW_CONN_REF_INFO_SIZE));

    std::uint32_t handle = 0;
    const auto openByName = entry<NWCCOpenConnByName_fn>(NW_LIB_CONNECTIONS, "NWCCOpenConnByName");
    EXPECT_EQ(openByName(0, name.c_str(), 2, 1, 0, &handle), NW_SUCCESS);
    EXPECT_EQ(handle, 1u);
    const std::string unterminatedLong(100'000, 'Q');
    EXPECT_EQ(openByName(0, unterminatedLong.c_str(), 2, 1, 0, &handle), NW_ERR_NO_SUCH_OBJECT);
}

TEST(ClientLibraries, NullArgumentsGiveCodesNotCrashes)
{
    Network::Reset(Scenario::BuiltIn());
    EXPECT_NE(entry<NWCCScanConnRefs_fn>(NW_LIB_CONNECTIONS, "NWCCScanConnRefs")(nullptr, nullptr),
              NW_SUCCESS);
    EXPECT_NE(entry<NWGetFileServerInfo_fn>(NW_LIB_CALLS, "NWGetFileServerInfo")(0, nullptr), NW_SUCCESS);
    EXPECT_NE(entry<NWGetConnectionList_fn>(NW_LIB_CALLS, "NWGetConnectionList")(0, nullptr, 49, nullptr),
              NW_SUCCESS);
    EXPECT_NE(entry<NWLlocaleconv_fn>(NW_LIB_LOCALE, "NWLlocaleconv")(nullptr), NW_SUCCESS);
    EXPECT_NE(entry<NWDSAllocBuf_fn>(NW_LIB_DIRECTORY, "NWDSAllocBuf")(4096, nullptr), NW_SUCCESS);
    EXPECT_EQ(
        entry<NWGetConnectionHandle_fn>(NW_LIB_CALLS, "NWGetConnectionHandle")(nullptr, 0, nullptr, nullptr),
        NW_ERR_SERVER_UNKNOWN);
}

TEST(ClientLibraries, LocaleFeedsTheUnicodeTables)
{
    Network::Reset(Scenario::BuiltIn());
    std::array<std::uint8_t, NW_LOCALE_INFO_SIZE> info{};
    ASSERT_EQ(entry<NWLlocaleconv_fn>(NW_LIB_LOCALE, "NWLlocaleconv")(info.data()), NW_SUCCESS);
    std::uint32_t codePage = 0;
    std::uint32_t country = 0;
    std::memcpy(&codePage, info.data() + NW_LOCALE_CODE_PAGE, 4);
    std::memcpy(&country, info.data() + NW_LOCALE_COUNTRY, 4);
    const auto init = entry<NWInitUnicodeTables_fn>(NW_LIB_LOCALE, "NWInitUnicodeTables");
    const auto release = entry<NWFreeUnicodeTables_fn>(NW_LIB_LOCALE, "NWFreeUnicodeTables");
    EXPECT_NE(release(), NW_SUCCESS) << "nothing to free yet";
    ASSERT_EQ(init(country, codePage), NW_SUCCESS);
    EXPECT_EQ(release(), NW_SUCCESS);
}

class ScenarioFile : public testing::Test
{
protected:
    void TearDown() override
    {
        unsetenv("NWSIM_SCENARIO");
        Network::Reset(Scenario::BuiltIn());
    }

    void use(const std::string &text)
    {
        std::ofstream(m_path) << text;
        setenv("NWSIM_SCENARIO", m_path.c_str(), 1);
    }

    // One file per test, since the tests may run side by side in separate processes.
    std::string m_path = testing::TempDir() + "nwsim-" +
                         testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
};

TEST_F(ScenarioFile, IsReadFromTheEnvironment)
{
    use("server SOLO version=4.11\nsequence SOLO 42:7\n");
    Network::Reset(Network::ScenarioFromEnvironment());
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    ASSERT_EQ(entry<NWGetFileServerInfo_fn>(NW_LIB_CALLS, "NWGetFileServerInfo")(0, record.data()),
              NW_SUCCESS);
    EXPECT_EQ(record[NW_SERVER_INFO_UTILIZATION], 42);
}

TEST_F(ScenarioFile, MalformedFileIsReportedOnceAndLeavesAnEmptyNetwork)
{
    use("server SOLO\n\nserver SOLO version=banana\nserver OTHER\n");
    testing::internal::CaptureStderr();
    Network::Reset(Network::ScenarioFromEnvironment());
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find(":3:"), std::string::npos) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1);

    std::uint32_t reference = 0;
    EXPECT_EQ(entry<NWCallsInit_fn>(NW_LIB_CALLS, "NWCallsInit")(&reference, &reference), NW_SUCCESS);
    EXPECT_NE(entry<NWCCGetPrimConnRef_fn>(NW_LIB_CONNECTIONS, "NWCCGetPrimConnRef")(&reference), NW_SUCCESS);
    EXPECT_NE(entry<NWGetPrimaryConnectionID_fn>(NW_LIB_CALLS, "NWGetPrimaryConnectionID")(&reference),
              NW_SUCCESS);
}

TEST_F(ScenarioFile, MissingFileIsReportedAndLeavesAnEmptyNetwork)
{
    setenv("NWSIM_SCENARIO", "/nonexistent/nwsim-scenario.txt", 1);
    testing::internal::CaptureStderr();
    const Scenario scenario = Network::ScenarioFromEnvironment();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot read"), std::string::npos);
    EXPECT_TRUE(scenario.servers.empty());
}

TEST_F(ScenarioFile, UnsetMeansTheBuiltInNetwork)
{
    unsetenv("NWSIM_SCENARIO");
    EXPECT_EQ(Network::ScenarioFromEnvironment().servers.size(), Scenario::BuiltIn().servers.size());
}
