#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include "WireTestSupport.h"
#include "nwsim/face/FaceLoop.h"
#include "nwsim/face/Socket.h"

using namespace nwsim;
using namespace nwsim::test;

namespace {

// The loop is stepped a bounded number of times, each waiting at most this long for the sockets.
constexpr int kStepWait = 20;
constexpr int kSteps = 250;

const Scenario kTwoServers = ParseScenario("server ALPHA\nserver BRAVO\nwire ALPHA drop after 60 seconds\n");

std::uint16_t portOf(const FaceLoop::Listener &listener)
{
    return std::uint16_t(std::stoi(listener.address.substr(listener.address.rfind(':') + 1)));
}

Socket dial(std::uint16_t port)
{
    Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(socket.Descriptor(), reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    return socket;
}

void sendFrame(const Socket &socket, std::string_view packet)
{
    const ncp::Bytes body = Bytes(packet);
    const ncp::Bytes frame = ncp::ByteWriter()
                                 .Append(Bytes("'DmdT'"))
                                 .BigEndian32(std::uint32_t(16 + body.size()))
                                 .BigEndian32(1)
                                 .BigEndian32(4104)
                                 .Append(body)
                                 .Take();
    ASSERT_EQ(::send(socket.Descriptor(), frame.data(), frame.size(), MSG_NOSIGNAL), ssize_t(frame.size()));
}

// Steps the loop until the socket has count bytes, or has been closed (then fewer come back).
ncp::Bytes receive(FaceLoop &loop, const Socket &socket, std::size_t count)
{
    ncp::Bytes received;
    for (int step = 0; step < kSteps && received.size() < count; ++step) {
        loop.Step(kStepWait);
        std::uint8_t buffer[512];
        const ssize_t got = ::recv(socket.Descriptor(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (got == 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + std::max<ssize_t>(got, 0));
    }
    return received;
}

bool closed(const Socket &socket)
{
    return ::recv(socket.Descriptor(), nullptr, 0, MSG_DONTWAIT) == 0;
}

class Loop : public testing::Test
{
protected:
    std::uint64_t m_now = 0;
    FaceLoop loop{kTwoServers, FaceOptions::ParseAddress("127.0.0.1:0"), [this] { return m_now; }};
};

} // namespace

TEST_F(Loop, EachServerAnswersOnItsOwnPort)
{
    ASSERT_EQ(loop.Listeners().size(), 2u);
    EXPECT_EQ(loop.Listeners()[1].server, "BRAVO");
    const Socket socket = dial(portOf(loop.Listeners()[1]));
    sendFrame(socket, "1111 00 ff 01 ff 00");
    EXPECT_TRUE(Matches("'tNcP' 00000010 3333 00 01 01 00 00 00", receive(loop, socket, 16)));
    sendFrame(socket, "2222 01 01 01 00 17 0001 11");
    EXPECT_TRUE(
        Matches("'tNcP' 00000090 3333 01 01 01 00 00 00 'BRAVO' ..*123", receive(loop, socket, 16 + 128)));
}

TEST_F(Loop, ADroppedReplyClosesTheConnection)
{
    m_now = 60'000;
    const Socket socket = dial(portOf(loop.Listeners()[0]));
    sendFrame(socket, "1111 00 ff 01 ff 00");
    EXPECT_TRUE(receive(loop, socket, 1).empty());
    EXPECT_TRUE(closed(socket));
}

TEST_F(Loop, ConnectionsPastTheLimitAreClosedAtOnce)
{
    std::vector<Socket> sockets;
    for (std::size_t i = 0; i <= FaceLoop::kMaxConnections; ++i) {
        sockets.push_back(dial(portOf(loop.Listeners()[1])));
        loop.Step(kStepWait);
    }
    EXPECT_TRUE(receive(loop, sockets.back(), 1).empty());
    EXPECT_TRUE(closed(sockets.back()));
    sendFrame(sockets.front(), "1111 00 ff 01 ff 00");
    EXPECT_EQ(receive(loop, sockets.front(), 16).size(), 16u) << "the first one is served";
}

TEST(FaceLoop, ServerIListensOnThePortPlusI)
{
    // Another program may hold the port after a free one; a few tries find two free in a row.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::uint16_t base = portOf(
            FaceLoop(ParseScenario("server A"), FaceOptions::ParseAddress("127.0.0.1:0")).Listeners()[0]);
        try {
            const FaceLoop loop(kTwoServers, FaceOptions::ParseAddress("127.0.0.1:" + std::to_string(base)));
            EXPECT_EQ(portOf(loop.Listeners()[1]), base + 1);
            return;
        } catch (const std::runtime_error &) {
        }
    }
    FAIL() << "no two free ports in a row";
}
