#include "ncp/Trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace ncp {

namespace {

constexpr std::uint32_t kPcapMagic = 0xA1B2C3D4;
constexpr std::uint32_t kLinkEthernet = 1;
constexpr std::uint32_t kSnapLength = 65535;
constexpr std::uint16_t kServerPort = 524;
constexpr std::uint16_t kEtherIPv4 = 0x0800;
constexpr std::uint8_t kProtocolTcp = 6;
constexpr std::uint8_t kFin = 0x01;
constexpr std::uint8_t kSyn = 0x02;
constexpr std::uint8_t kPush = 0x08;
constexpr std::uint8_t kAck = 0x10;
// 192.0.2.1 and 192.0.2.2: addresses set aside for documentation, never a real host.
constexpr std::uint32_t kStandInClient = 0xC0000201;
constexpr std::uint32_t kStandInServer = 0xC0000202;
constexpr std::size_t kIpHeader = 20;
constexpr std::size_t kTcpHeader = 20;

std::uint16_t checksum(ByteView bytes, std::uint32_t sum = 0)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        sum += std::uint32_t(bytes[i] << 8 | bytes[i + 1]);
    if (bytes.size() % 2 != 0)
        sum += std::uint32_t(bytes.back() << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint16_t(~sum);
}

void patch16(Bytes &bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = std::uint8_t(value >> 8);
    bytes[offset + 1] = std::uint8_t(value);
}

// A pcap header, little-endian as the file's magic number says.
Bytes fileHeader()
{
    return ByteWriter()
        .LittleEndian32(kPcapMagic)
        .LittleEndian16(2)
        .LittleEndian16(4)
        .LittleEndian32(0)
        .LittleEndian32(0)
        .LittleEndian32(kSnapLength)
        .LittleEndian32(kLinkEthernet)
        .Take();
}

Bytes ipv4Header(std::uint32_t source, std::uint32_t destination, std::size_t payload)
{
    ByteWriter header;
    header.U8(0x45).U8(0).BigEndian16(std::uint16_t(kIpHeader + payload)).BigEndian16(0).BigEndian16(0x4000);
    header.U8(64).U8(kProtocolTcp).BigEndian16(0).BigEndian32(source).BigEndian32(destination);
    Bytes bytes = header.Take();
    patch16(bytes, 10, checksum(bytes));
    return bytes;
}

Bytes tcpSegment(std::uint32_t source, std::uint32_t destination, const Bytes &ports, std::uint32_t sequence,
                 std::uint32_t acknowledged, std::uint8_t flags, ByteView payload)
{
    ByteWriter segment;
    segment.Append(ports).BigEndian32(sequence).BigEndian32(acknowledged);
    segment.U8(std::uint8_t((kTcpHeader / 4) << 4))
        .U8(flags)
        .BigEndian16(0xFFFF)
        .BigEndian16(0)
        .BigEndian16(0);
    segment.Append(payload);
    Bytes bytes = segment.Take();
    const Bytes pseudo = ByteWriter()
                             .BigEndian32(source)
                             .BigEndian32(destination)
                             .U8(0)
                             .U8(kProtocolTcp)
                             .BigEndian16(std::uint16_t(bytes.size()))
                             .Take();
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < pseudo.size(); i += 2)
        sum += std::uint32_t(pseudo[i] << 8 | pseudo[i + 1]);
    patch16(bytes, 16, checksum(bytes, sum));
    return bytes;
}

} // namespace

std::unique_ptr<Trace> Trace::Open(const std::string &path, std::string &error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    struct stat status
    {
    };
    // Only a file of the user's own is made private and written over: never a device or someone's link.
    const bool regular =
        fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid();
    if (!regular || ::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || ::ftruncate(fd, 0) != 0) {
        error = fd < 0 || regular ? std::strerror(errno) : "not a regular file of this user";
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    std::FILE *file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    const Bytes header = fileHeader();
    std::fwrite(header.data(), 1, header.size(), file);
    std::fflush(file);
    return std::unique_ptr<Trace>(new Trace(file));
}

Trace::Trace(std::FILE *file) : m_file(file)
{}

Trace::~Trace()
{
    std::fclose(m_file);
}

Trace::Stream Trace::Begin(Socket::Endpoint local, Socket::Endpoint peer)
{
    Stream stream;
    stream.client = local.address != 0 ? local.address : kStandInClient;
    stream.server = peer.address != 0 ? peer.address : kStandInServer;
    stream.clientPort = local.port != 0 ? local.port : 49152;
    stream.clientSequence = 1000;
    stream.serverSequence = 5000;
    segment(stream, true, kSyn, {});
    segment(stream, false, kSyn | kAck, {});
    segment(stream, true, kAck, {});
    return stream;
}

void Trace::ToServer(Stream &stream, ByteView frame)
{
    segment(stream, true, kPush | kAck, frame);
}

void Trace::ToClient(Stream &stream, ByteView frame)
{
    segment(stream, false, kPush | kAck, frame);
}

void Trace::End(Stream &stream)
{
    segment(stream, true, kFin | kAck, {});
    segment(stream, false, kFin | kAck, {});
    segment(stream, true, kAck, {});
}

void Trace::segment(Stream &stream, bool fromClient, std::uint8_t flags, ByteView payload)
{
    const std::uint32_t source = fromClient ? stream.client : stream.server;
    const std::uint32_t destination = fromClient ? stream.server : stream.client;
    std::uint32_t &sequence = fromClient ? stream.clientSequence : stream.serverSequence;
    const std::uint32_t acknowledged =
        (flags & kAck) != 0 ? (fromClient ? stream.serverSequence : stream.clientSequence) : 0;
    const Bytes ports = fromClient
                            ? ByteWriter().BigEndian16(stream.clientPort).BigEndian16(kServerPort).Take()
                            : ByteWriter().BigEndian16(kServerPort).BigEndian16(stream.clientPort).Take();
    const Bytes tcp = tcpSegment(source, destination, ports, sequence, acknowledged, flags, payload);
    // SYN and FIN take a sequence number of their own, as data bytes do.
    sequence += std::uint32_t(payload.size()) + ((flags & (kSyn | kFin)) != 0 ? 1 : 0);

    ByteWriter frame;
    frame.BigEndian16(0x0200).BigEndian32(fromClient ? 2 : 1);
    frame.BigEndian16(0x0200).BigEndian32(fromClient ? 1 : 2);
    frame.BigEndian16(kEtherIPv4).Append(ipv4Header(source, destination, tcp.size())).Append(tcp);

    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const Bytes record = ByteWriter()
                             .LittleEndian32(std::uint32_t(now / 1'000'000))
                             .LittleEndian32(std::uint32_t(now % 1'000'000))
                             .LittleEndian32(std::uint32_t(frame.Data().size()))
                             .LittleEndian32(std::uint32_t(frame.Data().size()))
                             .Append(frame.Data())
                             .Take();
    const std::lock_guard lock(m_mutex);
    std::fwrite(record.data(), 1, record.size(), m_file);
    std::fflush(m_file);
}

} // namespace ncp
