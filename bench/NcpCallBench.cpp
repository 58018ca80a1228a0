#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "netware/nwclient.h"

// One statistics request of the monitor, NWGetFileServerInfo through our NCP client's calls library, to a
// server of the simulated network on the wire (nwsim-ncpd) over loopback: to a server that answers, and to
// one that never does, which costs the caller no more than the client's call time. Besides the mean, the
// median, the 99th percentile and the longest of the calls.
namespace {

using Clock = std::chrono::steady_clock;

// nwsim-ncpd serving a scenario on ports of its own, for as long as the benchmark runs.
class Face
{
public:
    Face(const std::string &name, const std::string &scenario)
        : m_folder(std::filesystem::temp_directory_path() /
                   ("ncp-bench-" + std::to_string(::getpid()) + name))
    {
        std::filesystem::create_directories(m_folder);
        const std::string program = std::string(SEMBROLIN_BIN_DIR) + "/nwsim-ncpd";
        const std::string servers = ServersFile();
        const std::string scenarioFile = (m_folder / "scenario").string();
        std::ofstream(scenarioFile) << scenario;
        std::array<const char *, 8> arguments{program.c_str(),      "--listen",      "127.0.0.1:0",
                                              "--servers-file",     servers.c_str(), "--scenario",
                                              scenarioFile.c_str(), nullptr};
        ::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, const_cast<char **>(arguments.data()),
                      environ);
        for (int i = 0; i < 100 && !std::filesystem::exists(servers); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~Face()
    {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
        std::filesystem::remove_all(m_folder);
    }
    std::string ServersFile() const { return (m_folder / "servers").string(); }

private:
    std::filesystem::path m_folder;
    pid_t m_pid = 0;
};

template <typename F> F entryPoint(const char *library, const char *name)
{
    void *handle =
        ::dlopen((std::string(SEMBROLIN_BIN_DIR) + "/ncp/" + library).c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle == nullptr ? nullptr : reinterpret_cast<F>(::dlsym(handle, name));
}

// The process's one client reads its servers file once: connection 1 answers, connection 2 never does.
void chooseServers()
{
    static const Face answering("answering", "server ALPHA version=5.70\n");
    static const Face silent("silent", "server SILENT version=5.70\nwire SILENT slow 60000 after 0 calls\n");
    static const std::string both = [] {
        const std::string path = answering.ServersFile() + ".both";
        std::ofstream(path) << std::ifstream(answering.ServersFile()).rdbuf()
                            << std::ifstream(silent.ServersFile()).rdbuf();
        return path;
    }();
    ::setenv("SEMBROLIN_SERVERS", both.c_str(), 1);
}

// Times each statistics request on a connection whose first answer is the one expected.
void timeCalls(benchmark::State &state, std::uint32_t connection, std::uint32_t expected)
{
    chooseServers();
    const auto scan = entryPoint<NWCCScanConnRefs_fn>(NW_LIB_CONNECTIONS, "NWCCScanConnRefs");
    const auto statistics = entryPoint<NWGetFileServerInfo_fn>(NW_LIB_CALLS, "NWGetFileServerInfo");
    std::uint32_t iterator = 0, reference = 0;
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    if (scan == nullptr || statistics == nullptr || scan(&iterator, &reference) != 0 ||
        statistics(connection, record.data()) != expected) {
        state.SkipWithError("nwsim-ncpd does not answer as expected");
        return;
    }
    std::vector<double> micros;
    micros.reserve(std::size_t(state.max_iterations));
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(statistics(connection, record.data()));
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::ranges::sort(micros);
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["longest_us"] = micros.back();
}

void StatisticsOverLoopback(benchmark::State &state)
{
    timeCalls(state, 1, 0);
}
BENCHMARK(StatisticsOverLoopback)->Iterations(5000)->Unit(benchmark::kMicrosecond);

// 0x8819: no answer in time.
void StatisticsFromASilentServer(benchmark::State &state)
{
    timeCalls(state, 2, 0x8819);
}
BENCHMARK(StatisticsFromASilentServer)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
