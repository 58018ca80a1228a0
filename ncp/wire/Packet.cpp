#include "ncp/wire/Packet.h"

#include <algorithm>
#include <array>

namespace ncp {

namespace {

constexpr std::uint32_t kFrameVersion = 1;

constexpr std::array<std::uint8_t, 10> kLengthWordFunctions{17, 21, 22, 23, 35, 36, 90, 114, 123, 131};
constexpr std::array<std::uint8_t, 11> kBareSubfunctionFunctions{32, 34, 86,  87,  88, 89,
                                                                 92, 94, 104, 111, 128};

bool requestType(std::uint16_t type)
{
    return type == std::uint16_t(PacketType::Create) || type == std::uint16_t(PacketType::Request) ||
           type == std::uint16_t(PacketType::Destroy) || type == std::uint16_t(PacketType::Burst);
}

bool replyType(std::uint16_t type)
{
    return type == std::uint16_t(PacketType::Reply) || type == std::uint16_t(PacketType::Busy) ||
           type == std::uint16_t(PacketType::Burst) || type == std::uint16_t(PacketType::Notice);
}

// Sequence, connection low byte, task, connection high byte: the same four bytes in both directions.
void putAddress(ByteWriter &out, std::uint8_t sequence, std::uint16_t connection, std::uint8_t task)
{
    out.U8(sequence).U8(std::uint8_t(connection)).U8(task).U8(std::uint8_t(connection >> 8));
}

} // namespace

bool HasLengthWord(std::uint8_t function)
{
    return std::ranges::find(kLengthWordFunctions, function) != kLengthWordFunctions.end();
}

bool HasSubfunction(std::uint8_t function)
{
    return HasLengthWord(function) ||
           std::ranges::find(kBareSubfunctionFunctions, function) != kBareSubfunctionFunctions.end();
}

Request MakeRequest(std::uint8_t function, std::uint8_t subfunction, Bytes data)
{
    Request request;
    request.function = function;
    request.subfunction = subfunction;
    request.data = std::move(data);
    return request;
}

Bytes EncodeRequestFrame(const Request &request)
{
    ByteWriter packet;
    packet.BigEndian16(std::uint16_t(request.type));
    putAddress(packet, request.sequence, request.connection, request.task);
    packet.U8(request.function);
    if (request.type == PacketType::Request && HasSubfunction(request.function)) {
        if (HasLengthWord(request.function))
            packet.BigEndian16(std::uint16_t(1 + request.data.size()));
        packet.U8(request.subfunction);
    }
    packet.Append(request.data);

    ByteWriter frame;
    frame.BigEndian32(kRequestSignature)
        .BigEndian32(std::uint32_t(kRequestFrameHeader + packet.Data().size()))
        .BigEndian32(kFrameVersion)
        .BigEndian32(request.replyBufferSize)
        .Append(packet.Data());
    return frame.Take();
}

Bytes EncodeReplyFrame(const Reply &reply)
{
    ByteWriter frame;
    frame.BigEndian32(kReplySignature)
        .BigEndian32(std::uint32_t(kReplyFrameHeader + kReplyHeader + reply.data.size()))
        .BigEndian16(std::uint16_t(reply.type));
    putAddress(frame, reply.sequence, reply.connection, reply.task);
    frame.U8(reply.completion).U8(reply.status).Append(reply.data);
    return frame.Take();
}

std::optional<Request> DecodeRequest(ByteView packet)
{
    ByteReader in(packet);
    Request request;
    const std::uint16_t type = in.BigEndian16();
    request.sequence = in.U8();
    const std::uint8_t low = in.U8();
    request.task = in.U8();
    request.connection = std::uint16_t(in.U8() << 8 | low);
    request.function = in.U8();
    if (in.Failed() || !requestType(type))
        return std::nullopt;
    request.type = PacketType(type);
    if (request.type == PacketType::Request && HasSubfunction(request.function)) {
        if (HasLengthWord(request.function))
            in.Skip(2);
        request.subfunction = in.U8();
        if (in.Failed())
            return std::nullopt;
    }
    const ByteView data = in.Take(in.Remaining());
    request.data.assign(data.begin(), data.end());
    return request;
}

std::optional<Reply> DecodeReply(ByteView packet)
{
    ByteReader in(packet);
    Reply reply;
    const std::uint16_t type = in.BigEndian16();
    reply.sequence = in.U8();
    const std::uint8_t low = in.U8();
    reply.task = in.U8();
    reply.connection = std::uint16_t(in.U8() << 8 | low);
    reply.completion = in.U8();
    reply.status = in.U8();
    if (in.Failed() || !replyType(type))
        return std::nullopt;
    reply.type = PacketType(type);
    const ByteView data = in.Take(in.Remaining());
    reply.data.assign(data.begin(), data.end());
    return reply;
}

} // namespace ncp
