#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <optional>

#include "ncp/wire/FrameReader.h"
#include "ncp/wire/LoginCrypt.h"
#include "ncp/wire/Messages.h"

using namespace ncp;

namespace {

constexpr std::uint16_t kConnectionNumber = 7;
constexpr ObjectId kSupervisorId{0x00, 0x00, 0x00, 0x01};
constexpr login::Key kKey{1, 2, 3, 4, 5, 6, 7, 8};

// Whether fd can be read, or the stop came.
bool readable(int fd, const Waker &stop)
{
    std::array<pollfd, 2> watched{{{fd, POLLIN, 0}, {stop.Descriptor(), POLLIN, 0}}};
    ::poll(watched.data(), watched.size(), -1);
    return watched[1].revents == 0;
}

void sendAll(int fd, const ScriptedServer::Answer &answer)
{
    if (!answer.trickle) {
        ::send(fd, answer.bytes.data(), answer.bytes.size(), MSG_NOSIGNAL);
        return;
    }
    for (const std::uint8_t byte : answer.bytes) {
        ::send(fd, &byte, 1, MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

} // namespace

ScriptedServer::ScriptedServer(Script script) : m_script(std::move(script))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(m_listener, 4);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

ScriptedServer::~ScriptedServer()
{
    m_stop.Wake();
    m_thread.join();
    ::close(m_listener);
}

void ScriptedServer::run()
{
    while (readable(m_listener, m_stop)) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++m_connections;
        serve(fd);
        ::close(fd);
    }
}

void ScriptedServer::serve(int fd)
{
    FrameReader reader(FrameReader::Direction::Requests, 1 << 16);
    while (readable(fd, m_stop)) {
        std::array<std::uint8_t, 4096> buffer{};
        const ssize_t count = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (count <= 0)
            return;
        reader.Append(ByteView(buffer.data(), std::size_t(count)));
        Bytes frame;
        while (reader.Next(frame) == FrameReader::Result::Frame) {
            const std::optional<Request> request =
                DecodeRequest(ByteView(frame).subspan(kRequestFrameHeader));
            if (!request)
                return;
            const Answer answer = m_script(*request, m_connections);
            sendAll(fd, answer);
            if (answer.close)
                return;
        }
    }
}

ScriptedServer::Answer ScriptedServer::ReplyTo(const Request &request, std::uint8_t completion, Bytes data)
{
    Reply reply;
    reply.sequence = request.sequence;
    reply.connection = request.type == PacketType::Create ? kConnectionNumber : request.connection;
    reply.task = request.task;
    reply.completion = completion;
    reply.data = std::move(data);
    return {EncodeReplyFrame(reply)};
}

Bytes ScriptedServer::Statistics(std::uint32_t cpu, std::uint32_t requests)
{
    ByteWriter wire;
    wire.Zeros(16).LittleEndian32(requests).LittleEndian32(cpu);
    return wire.Zeros(kStatisticsWireSize - wire.Data().size()).Take();
}

ScriptedServer::Script
ScriptedServer::Standard(const std::string &name, const std::string &password,
                         std::function<std::optional<Answer>(const Request &, int)> over)
{
    return [=](const Request &request, int connection) -> Answer {
        if (over)
            if (std::optional<Answer> answer = over(request, connection))
                return *answer;
        if (request.type != PacketType::Request)
            return ReplyTo(request);
        const auto call = std::pair(request.function, request.subfunction);
        if (request.function == function::kBigPacket)
            return ReplyTo(request, 0, EncodeBufferReply({4096, 0}));
        if (call == std::pair(function::kBindery, subfunction::kServerInformation)) {
            ServerInformation information;
            information.name = name;
            information.majorVersion = 5;
            information.minorVersion = 70;
            return ReplyTo(request, 0, EncodeServerInformation(information));
        }
        if (call == std::pair(function::kBindery, subfunction::kObjectId))
            return ReplyTo(request, 0, EncodeBinderyObject({kSupervisorId, kBinderyUser, "SUPERVISOR"}));
        if (call == std::pair(function::kBindery, subfunction::kLoginKey))
            return ReplyTo(request, 0, Bytes(kKey.begin(), kKey.end()));
        if (call == std::pair(function::kBindery, subfunction::kKeyedLogin)) {
            const std::optional<KeyedLogin> login = DecodeKeyedLogin(request.data);
            const bool right =
                login && login->answer == login::Answer(kKey, login::PasswordHash(kSupervisorId, password));
            return ReplyTo(request, right ? 0 : 0xDE);
        }
        if (call == std::pair(function::kStatistics, subfunction::kServerStatistics))
            return ReplyTo(request, 0, Statistics(42, 1000));
        return ReplyTo(request, 0xFB);
    };
}
