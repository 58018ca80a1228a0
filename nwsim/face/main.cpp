#include <csignal>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "nwsim/ScenarioError.h"
#include "nwsim/ScenarioParser.h"
#include "nwsim/face/FaceLoop.h"
#include "nwsim/face/FaceOptions.h"
#include "nwsim/face/ServersFile.h"

namespace {

// Exit codes: a command line that is wrong, or refused, and a face that cannot run.
constexpr int kUsage = 2;
constexpr int kFailure = 1;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

nwsim::Scenario loadScenario(const std::string &path)
{
    if (path.empty()) {
        return nwsim::Scenario::BuiltIn();
    }
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error(path + ": cannot read the scenario");
    }
    try {
        return nwsim::ScenarioParser::Parse(file);
    } catch (const nwsim::ScenarioError &error) {
        throw std::runtime_error(path + ":" + std::to_string(error.Line()) + ": " + error.what());
    }
}

// SIGTERM and SIGINT are blocked except while the loop waits, so a stop can never slip in between the
// check and the wait.
sigset_t catchStopSignals()
{
    struct sigaction action
    {
    };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigset_t waiting;
    sigprocmask(SIG_BLOCK, &stops, &waiting);
    sigdelset(&waiting, SIGTERM);
    sigdelset(&waiting, SIGINT);
    return waiting;
}

int run(const nwsim::FaceOptions &options)
{
    const nwsim::Scenario scenario = loadScenario(options.scenario);
    const sigset_t waiting = catchStopSignals();
    nwsim::FaceLoop loop(scenario, options.listen);
    for (const nwsim::FaceLoop::Listener &listener : loop.Listeners()) {
        std::printf("%s %s\n", listener.server.c_str(), listener.address.c_str());
    }
    std::fflush(stdout);
    if (!options.serversFile.empty()) {
        nwsim::servers::WritePrivately(options.serversFile,
                                       nwsim::servers::FileText(scenario, loop.Listeners()));
    }
    while (stopRequested == 0) {
        loop.Step(-1, &waiting);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    nwsim::FaceOptions options;
    try {
        options = nwsim::FaceOptions::Parse(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    } catch (const std::invalid_argument &error) {
        std::fprintf(stderr, "nwsim-ncpd: %s\n\n%s", error.what(), nwsim::FaceOptions::kUsage);
        return kUsage;
    }
    if (options.help) {
        std::fputs(nwsim::FaceOptions::kUsage, stdout);
        return 0;
    }
    try {
        return run(options);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "nwsim-ncpd: %s\n", error.what());
        return kFailure;
    }
}
