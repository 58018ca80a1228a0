#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nwsim/face/FaceOptions.h"

using namespace nwsim;

namespace {

struct CommandLine
{
    const char *arguments;
    // "HOST PORT" as understood, "help", or "refused".
    const char *outcome;
};

void PrintTo(const CommandLine &line, std::ostream *out)
{
    *out << '"' << line.arguments << '"';
}

class FaceCommandLine : public testing::TestWithParam<CommandLine>
{
};

} // namespace

TEST_P(FaceCommandLine, ListensOnLoopbackUnlessToldOtherwise)
{
    std::istringstream words(GetParam().arguments);
    std::vector<std::string> arguments;
    for (std::string word; words >> word;) {
        arguments.push_back(word);
    }
    std::string outcome;
    try {
        const FaceOptions options = FaceOptions::Parse(arguments);
        outcome = options.help ? "help" : options.listen.host + " " + std::to_string(options.listen.port);
    } catch (const std::invalid_argument &) {
        outcome = "refused";
    }
    EXPECT_EQ(outcome, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FaceCommandLine,
    testing::Values(
        CommandLine{"--listen 127.8.9.10:0 --scenario x --servers-file y", "127.8.9.10 0"},
        CommandLine{"--listen [::1]:7", "::1 7"}, CommandLine{"--listen 10.0.0.1:524", "refused"},
        CommandLine{"--any-address --listen 10.0.0.1:524", "10.0.0.1 524"},
        CommandLine{"--listen 0.0.0.0:524", "refused"}, CommandLine{"--listen [::]:524", "refused"},
        CommandLine{"--listen [::ffff:127.0.0.1]:524", "refused"},
        CommandLine{"--listen 127.0.0.1", "refused"}, CommandLine{"--listen example.org:524", "refused"},
        CommandLine{"--scenario x", "refused"}, CommandLine{"--listen 127.0.0.1:524 --verbose", "refused"},
        CommandLine{"--help", "help"}));
