#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "ncp/wire/Bytes.h"

// NCP packets as they travel over TCP: each in a frame of its own, a request behind a 16-byte "DmdT" header
// and a reply behind an 8-byte "tNcP" header.
namespace ncp {

enum class PacketType : std::uint16_t
{
    Create = 0x1111,
    Request = 0x2222,
    Reply = 0x3333,
    Destroy = 0x5555,
    Burst = 0x7777,
    // "Received, still working": the reply to the same sequence follows later.
    Busy = 0x9999,
    // Broadcast and lock notices a server may send at any time.
    Notice = 0xBBBB,
};

inline constexpr std::uint32_t kRequestSignature = 0x446D6454; // "DmdT"
inline constexpr std::uint32_t kReplySignature = 0x744E6350;   // "tNcP"
inline constexpr std::size_t kRequestFrameHeader = 16;
inline constexpr std::size_t kReplyFrameHeader = 8;
inline constexpr std::size_t kRequestHeader = 7;
inline constexpr std::size_t kReplyHeader = 8;
// The largest reply a client of ours accepts: a 4096-byte buffer and a reply header.
inline constexpr std::uint32_t kReplyBufferSize = 4096 + 8;
// The top four bits of a frame's length are flags (a signature follows, in one reading); they never count.
inline constexpr std::uint32_t kFrameLengthMask = 0x0FFFFFFF;

// Bits of a reply's connection status.
inline constexpr std::uint8_t kStatusBadConnection = 0x01;
inline constexpr std::uint8_t kStatusServerDown = 0x10;

struct Request
{
    PacketType type = PacketType::Request;
    std::uint8_t sequence = 0;
    std::uint16_t connection = 0;
    // Any constant nonzero task: task 0 would tell the server that every task ended.
    std::uint8_t task = 1;
    std::uint8_t function = 0;
    // Only for functions that have one (HasSubfunction).
    std::uint8_t subfunction = 0;
    Bytes data;
    std::uint32_t replyBufferSize = kReplyBufferSize;
};

struct Reply
{
    PacketType type = PacketType::Reply;
    std::uint8_t sequence = 0;
    std::uint16_t connection = 0;
    std::uint8_t task = 1;
    std::uint8_t completion = 0;
    std::uint8_t status = 0;
    Bytes data;
};

// Whether a service request of this function carries a subfunction byte, and whether a 2-byte length
// word precedes it (counting the subfunction and the data).
bool HasSubfunction(std::uint8_t function);
bool HasLengthWord(std::uint8_t function);

// A request for function/subfunction with its data; sequence and connection are the sender's to set.
Request MakeRequest(std::uint8_t function, std::uint8_t subfunction = 0, Bytes data = {});

Bytes EncodeRequestFrame(const Request &request);
Bytes EncodeReplyFrame(const Reply &reply);
// The packet inside a frame, after its TCP header. Empty when it is too short for its header, or of a
// type the direction does not carry. A length word that disagrees with the frame is not an error: some
// clients send one that is one short.
std::optional<Request> DecodeRequest(ByteView packet);
std::optional<Reply> DecodeReply(ByteView packet);

} // namespace ncp
