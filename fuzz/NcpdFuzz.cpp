#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "ncp/wire/Bytes.h"
#include "nwsim/Network.h"
#include "nwsim/ScenarioParser.h"
#include "nwsim/face/WireServer.h"
#include "nwsim/face/WireSession.h"

namespace {

// Far past every fault the scenarios below time, and past a busy fault without end for a good while.
constexpr std::uint64_t kHorizon = 600'000;
// Each piece of the stream arrives this much later than the one before, so the faults' seconds come round.
constexpr std::uint64_t kPace = 150;

// The first byte of an input picks one: the built-in network, a directory server whose faults follow one
// another in seconds, a 3.x server whose faults and stop are counted in calls, and one whose every reply
// is held up for good.
const std::array<const char *, 4> kScenarios{
    nullptr,
    "tree T\nlogin CN=OPS.O=T\nserver A version=5.70 tree=yes volumes=255 licence=65535\nbindery A user "
    "GUEST\n"
    "password A OPS pw\nwire A slow 50 after 1 seconds for 2\nwire A trickle 0 after 4 seconds for 1\n"
    "wire A busy after 6 seconds for 1\nwire A signing after 8 seconds\n",
    "server A version=3.12\nwire A drop after 3 calls for 2\nwire A busy after 6 calls\nstop A after 2 "
    "seconds for 3\n",
    "server A rights=no\nstop A after 10 calls for 5\nwire A busy\n",
};

nwsim::Scenario scenario(std::uint8_t choice)
{
    const char *text = kScenarios[choice % kScenarios.size()];
    if (text == nullptr) {
        return nwsim::Scenario::BuiltIn();
    }
    std::istringstream input(text);
    return nwsim::ScenarioParser::Parse(input);
}

} // namespace

// A client's TCP stream to a server of the face, fed as the face's loop reads it (no more than the
// connection wants at a time) and every reply taken when it falls due: whatever the bytes, each frame is cut
// out, answered and delivered, or the connection is closed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const nwsim::Scenario chosen = scenario(data[0]);
    std::uint64_t now = 0;
    nwsim::Network network(chosen, [&now] { return now; });
    nwsim::WireServer server(network, chosen, 0);
    nwsim::WireSession session(server);
    ncp::ByteView rest(data + 1, size - 1);
    while (!session.Closing()) {
        if (const std::size_t wanted = session.Wanted(); wanted > 0 && !rest.empty()) {
            const std::size_t piece = std::min(wanted, rest.size());
            session.Receive(rest.first(piece), now);
            rest = rest.subspan(piece);
            now += kPace;
            continue;
        }
        const std::optional<std::uint64_t> due = session.Due();
        if (!due || *due > kHorizon) {
            break;
        }
        now = std::max(now, *due);
        session.Take(now);
    }
    return 0;
}
