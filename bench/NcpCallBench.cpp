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
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "netware/nwclient.h"

// One statistics request of the monitor, NWGetFileServerInfo through our NCP client's calls library, to a
// server of the simulated network on the wire (nwsim-ncpd's built-in network) over loopback. Besides the
// mean, the median and the 99th percentile of the calls.
namespace {

using Clock = std::chrono::steady_clock;

// nwsim-ncpd on ports of its own, for as long as the benchmark runs.
class Face
{
public:
    Face() : m_folder(std::filesystem::temp_directory_path() / ("ncp-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_folder);
        const std::string program = std::string(SEMBROLIN_BIN_DIR) + "/nwsim-ncpd";
        const std::string servers = ServersFile();
        std::array<char *, 6> arguments{
            const_cast<char *>(program.c_str()), const_cast<char *>("--listen"),
            const_cast<char *>("127.0.0.1:0"),   const_cast<char *>("--servers-file"),
            const_cast<char *>(servers.c_str()), nullptr};
        ::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, arguments.data(), environ);
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

void StatisticsOverLoopback(benchmark::State &state)
{
    static const Face face;
    ::setenv("SEMBROLIN_SERVERS", face.ServersFile().c_str(), 1);
    const auto scan = entryPoint<NWCCScanConnRefs_fn>(NW_LIB_CONNECTIONS, "NWCCScanConnRefs");
    const auto statistics = entryPoint<NWGetFileServerInfo_fn>(NW_LIB_CALLS, "NWGetFileServerInfo");
    std::uint32_t iterator = 0, reference = 0;
    std::array<std::uint8_t, NW_SERVER_INFO_SIZE> record{};
    if (scan == nullptr || statistics == nullptr || scan(&iterator, &reference) != 0 ||
        statistics(1, record.data()) != 0) {
        state.SkipWithError("no statistics from nwsim-ncpd");
        return;
    }
    std::vector<double> micros;
    micros.reserve(std::size_t(state.max_iterations));
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(statistics(1, record.data()));
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::ranges::sort(micros);
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}
BENCHMARK(StatisticsOverLoopback)->Iterations(5000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
