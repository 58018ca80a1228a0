#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "ncp/Session.h"
#include "ncp/Waker.h"
#include "ncp/wire/Messages.h"

namespace {

using namespace ncp;

// The calls of a connection's life in their order, each with what the client does with its answer.
struct Call
{
    Request request;
    std::function<void(ByteView)> read;
};

std::vector<Call> calls()
{
    const auto bindery = [](std::uint8_t subfunction, Bytes data = {}) {
        return MakeRequest(function::kBindery, subfunction, std::move(data));
    };
    return {
        {MakeRequest(function::kBigPacket, 0, EncodeBufferRequest({4096, 0})),
         [](ByteView d) { DecodeBufferReply(d); }},
        {bindery(subfunction::kServerInformation), [](ByteView d) { DecodeServerInformation(d); }},
        {bindery(subfunction::kObjectId, EncodeObjectName({kBinderyUser, "ADMIN"})),
         [](ByteView d) { DecodeBinderyObject(d); }},
        {bindery(subfunction::kLoginKey), [](ByteView d) { DecodeLoginKey(d); }},
        {MakeRequest(function::kStatistics, subfunction::kServerStatistics),
         [](ByteView d) { RecordFromStatistics(d); }},
        {MakeRequest(function::kServerDateTime), [](ByteView d) { DecodeDateTime(d); }},
        {MakeRequest(function::kDirectory, subfunction::kPing, EncodePingRequest()),
         [](ByteView d) { DecodePing(d); }},
        {bindery(subfunction::kStationInfo, Bytes(4)), [](ByteView d) { DecodeStationInfo(d); }},
    };
}

} // namespace

// The input is all a server ever sends on one connection: the client creates the connection and makes its
// calls over it, in order, until the session breaks, reading every answer as it would.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return 0;
    // The whole stream is there before the client reads, and then it ends: no read ever waits.
    for (std::size_t sent = 0; sent < size;) {
        const ssize_t count = ::send(ends[1], data + sent, size - sent, MSG_NOSIGNAL);
        if (count <= 0)
            break;
        sent += std::size_t(count);
    }
    ::shutdown(ends[1], SHUT_WR);
    static const std::vector<Call> sequence = calls();
    const Waker waker;
    {
        Session session(Socket(ends[0]), waker, nullptr);
        if (!session.Create(std::chrono::seconds(1)).broken) {
            for (const Call &call : sequence) {
                const Session::Outcome outcome = session.Exchange(call.request, std::chrono::seconds(1));
                if (outcome.broken)
                    break;
                call.read(outcome.data);
            }
        }
    }
    ::close(ends[1]);
    return 0;
}
