#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "WireTestSupport.h"
#include "nwsim/face/FaceLoop.h"
#include "nwsim/face/ServersFile.h"
#include "nwsim/face/Socket.h"

using namespace nwsim;
using namespace nwsim::test;

namespace {

// The loop is stepped a bounded number of times, each waiting at most this long for the sockets.
constexpr int kStepWait = 20;
constexpr int kSteps = 250;

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
    const ncp::Bytes body = Pattern(packet).Exact();
    const ncp::Bytes frame = ncp::ByteWriter()
                                 .Append(Pattern("'DmdT'").Exact())
                                 .BigEndian32(std::uint32_t(16 + body.size()))
                                 .BigEndian32(1)
                                 .BigEndian32(4104)
                                 .Append(body)
                                 .Take();
    ASSERT_EQ(::send(socket.Descriptor(), frame.data(), frame.size(), MSG_NOSIGNAL), ssize_t(frame.size()));
}

// Steps the loop until the socket has count bytes, or has closed (then fewer come back).
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
        if (got > 0) {
            received.insert(received.end(), buffer, buffer + got);
        }
    }
    return received;
}

// A port with the next one free as well, as a face of two servers needs; 0 when none was found.
std::uint16_t freePair()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        Socket probe(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(probe.Descriptor(), reinterpret_cast<sockaddr *>(&address), length);
        ::getsockname(probe.Descriptor(), reinterpret_cast<sockaddr *>(&address), &length);
        const std::uint16_t port = ntohs(address.sin_port);
        Socket next(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        address.sin_port = htons(std::uint16_t(port + 1));
        if (port < 65535 && ::bind(next.Descriptor(), reinterpret_cast<sockaddr *>(&address), length) == 0) {
            return port;
        }
    }
    return 0;
}

const Scenario kTwoServers = ParseScenario("login CN=OPS.O=ACORN\nserver ALPHA\nserver BRAVO\n"
                                           "password BRAVO OPS secret\nwire ALPHA drop after 60 seconds\n");

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
    EXPECT_NE(portOf(loop.Listeners()[0]), portOf(loop.Listeners()[1]));
    const Socket socket = dial(portOf(loop.Listeners()[1]));
    sendFrame(socket, "1111 00 ff 01 ff 00");
    EXPECT_TRUE(Pattern("'tNcP' 00000010 3333 00 01 01 00 00 00").Matches(receive(loop, socket, 16)));
    sendFrame(socket, "2222 01 01 01 00 17 0001 11");
    const ncp::Bytes reply = receive(loop, socket, 16 + 128);
    ASSERT_EQ(reply.size(), 16u + 128u);
    EXPECT_EQ(std::string(reply.begin() + 16, reply.begin() + 21), "BRAVO");
}

TEST_F(Loop, ADroppedReplyClosesTheConnection)
{
    m_now = 60'000;
    const Socket socket = dial(portOf(loop.Listeners()[0]));
    sendFrame(socket, "1111 00 ff 01 ff 00");
    EXPECT_TRUE(receive(loop, socket, 1).empty());
    EXPECT_EQ(::recv(socket.Descriptor(), nullptr, 0, MSG_DONTWAIT), 0) << "closed, not just quiet";
}

TEST_F(Loop, ConnectionsPastTheLimitAreClosedAtOnce)
{
    std::vector<Socket> sockets;
    for (std::size_t i = 0; i <= FaceLoop::kMaxConnections; ++i) {
        sockets.push_back(dial(portOf(loop.Listeners()[1])));
        loop.Step(kStepWait);
    }
    EXPECT_TRUE(receive(loop, sockets.back(), 1).empty());
    EXPECT_EQ(::recv(sockets.back().Descriptor(), nullptr, 0, MSG_DONTWAIT), 0) << "the last one is closed";
    sendFrame(sockets.front(), "1111 00 ff 01 ff 00");
    EXPECT_EQ(receive(loop, sockets.front(), 16).size(), 16u) << "the first one is served";
}

TEST(FaceLoop, ServerIListensOnThePortPlusI)
{
    const std::uint16_t base = freePair();
    ASSERT_NE(base, 0);
    const FaceLoop loop(kTwoServers, FaceOptions::ParseAddress("127.0.0.1:" + std::to_string(base)));
    EXPECT_EQ(portOf(loop.Listeners()[0]), base);
    EXPECT_EQ(portOf(loop.Listeners()[1]), base + 1);
    EXPECT_THROW(FaceLoop(kTwoServers, FaceOptions::ParseAddress("127.0.0.1:65535")), std::runtime_error);
}

TEST(FaceServersFile, NamesEveryServerWithTheLoginAndItsPassword)
{
    const std::vector<FaceLoop::Listener> listeners{{"ALPHA", "127.0.0.1:5524"}, {"BRAVO", "[::1]:5525"}};
    EXPECT_EQ(servers::FileText(kTwoServers, listeners),
              "server 127.0.0.1:5524 user=OPS\nserver [::1]:5525 user=OPS password=secret\n");
}

TEST(FaceServersFile, IsWrittenWholeAndPrivately)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nwsim-servers-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "servers").string();
    std::ofstream(path) << "old";
    std::filesystem::permissions(path, std::filesystem::perms(0644));
    servers::WritePrivately(path, "server 127.0.0.1:5524 user=OPS password=x\n");
    struct stat status
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    EXPECT_EQ(text.str(), "server 127.0.0.1:5524 user=OPS password=x\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary file left";
    EXPECT_THROW(servers::WritePrivately((folder / "no" / "such").string(), ""), std::runtime_error);
    std::filesystem::remove_all(folder);
}
