#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ncp/wire/Bytes.h"
#include "ncp/wire/LoginCrypt.h"

// The bodies of the NCP calls a monitor makes, both ways: what a client sends and reads back, and what a
// server reads and answers. Multi-byte fields are big-endian unless a layout says otherwise.
namespace ncp {

namespace function {
inline constexpr std::uint8_t kServerDateTime = 20;
inline constexpr std::uint8_t kFileServices = 22;
inline constexpr std::uint8_t kBindery = 23;
inline constexpr std::uint8_t kLogout = 25;
inline constexpr std::uint8_t kNegotiateBuffer = 33;
inline constexpr std::uint8_t kBigPacket = 97;
inline constexpr std::uint8_t kDirectory = 104;
inline constexpr std::uint8_t kStatistics = 123;
} // namespace function

namespace subfunction {
// Of 22.
inline constexpr std::uint8_t kVolumeList = 52;
// Of 23.
inline constexpr std::uint8_t kServerInformation = 17;
inline constexpr std::uint8_t kStationInfoByte = 22;
inline constexpr std::uint8_t kLoginKey = 23;
inline constexpr std::uint8_t kKeyedLogin = 24;
inline constexpr std::uint8_t kStationInfo = 28;
inline constexpr std::uint8_t kObjectId = 53;
inline constexpr std::uint8_t kAccessLevel = 70;
inline constexpr std::uint8_t kIsManager = 73;
inline constexpr std::uint8_t kConsolePrivileges = 200;
inline constexpr std::uint8_t kSetDateTime = 202;
inline constexpr std::uint8_t kLanStatistics = 231;
inline constexpr std::uint8_t kMiscInformation = 232;
// Of 104.
inline constexpr std::uint8_t kPing = 1;
// Of 123.
inline constexpr std::uint8_t kServerStatistics = 2;
inline constexpr std::uint8_t kNetworkAddresses = 17;
} // namespace subfunction

inline constexpr std::uint16_t kBinderyUser = 0x0001;
inline constexpr std::uint16_t kBinderyFileServer = 0x0004;
// Names in the bindery are at most 47 bytes.
inline constexpr std::size_t kMaxBinderyName = 47;
inline constexpr std::size_t kNameField = 48;

// 23/17: who the server is. 128 bytes.
struct ServerInformation
{
    std::string name;
    std::uint8_t majorVersion = 0;
    std::uint8_t minorVersion = 0;
    std::uint8_t revision = 0;
    std::uint16_t maxConnections = 0;
    std::uint16_t connectionsInUse = 0;
    std::uint16_t maxVolumes = 0;
    std::uint16_t peakConnections = 0;
    std::uint8_t sftLevel = 0;
    std::uint8_t ttsLevel = 0;
    std::uint16_t productMajor = 0;
    std::uint16_t productMinor = 0;
    std::uint16_t productRevision = 0;
    std::uint8_t language = 0;
};
Bytes EncodeServerInformation(const ServerInformation &information);
std::optional<ServerInformation> DecodeServerInformation(ByteView data);

// 123/2: the server's counters. The 142 wire bytes are packed; the client's 148-byte record holds the same
// fields at their natural alignment (the offsets the monitor reads), padding left zero. Both little-endian.
inline constexpr std::size_t kStatisticsRecordSize = 148;
inline constexpr std::size_t kStatisticsWireSize = 142;
using StatisticsRecord = std::array<std::uint8_t, kStatisticsRecordSize>;
std::optional<StatisticsRecord> RecordFromStatistics(ByteView data);
Bytes StatisticsFromRecord(const StatisticsRecord &record);

// 20: year since 1900, month, day, hour, minute, second, day of the week (0 Sunday), and a zero byte.
using DateTime = std::array<std::uint8_t, 8>;
Bytes EncodeDateTime(const DateTime &dateTime);
// Years below 80 are taken as 2000 and later, as both forms servers send are read back that way.
std::optional<DateTime> DecodeDateTime(ByteView data);
// 23/202 carries the year as two digits and the first six fields.
Bytes EncodeSetDateTime(const DateTime &dateTime);
std::optional<DateTime> DecodeSetDateTime(ByteView data);

// 23/53 and 23/24 name a bindery object by type and name.
struct ObjectName
{
    std::uint16_t type = kBinderyUser;
    std::string name;
};
Bytes EncodeObjectName(const ObjectName &object);
std::optional<ObjectName> DecodeObjectName(ByteView data);

// The object ID travels as four bytes that clients keep as they came ("the server's byte order").
using ObjectId = std::array<std::uint8_t, 4>;

// 23/53's answer.
struct BinderyObject
{
    ObjectId id{};
    std::uint16_t type = 0;
    std::string name;
};
Bytes EncodeBinderyObject(const BinderyObject &object);
std::optional<BinderyObject> DecodeBinderyObject(ByteView data);

// 23/23's answer is the key itself.
std::optional<login::Key> DecodeLoginKey(ByteView data);

// 23/24.
struct KeyedLogin
{
    login::Response answer{};
    ObjectName object;
};
Bytes EncodeKeyedLogin(const KeyedLogin &login);
std::optional<KeyedLogin> DecodeKeyedLogin(ByteView data);

// 23/28 asks about a connection number (4 bytes, little-endian); the answer is 62 bytes.
struct StationInfo
{
    ObjectId id{};
    std::uint16_t type = 0;
    std::string name;
    // Year, month, day, hour, minute, second, day of the week.
    std::array<std::uint8_t, 7> loginTime{};
};
Bytes EncodeStationInfo(const StationInfo &station);
std::optional<StationInfo> DecodeStationInfo(ByteView data);

// 104/1: a directory server answers its tree's name, padded with '_' to 32 characters.
inline constexpr std::size_t kTreeNameField = 32;
struct Ping
{
    std::uint8_t version = 9;
    std::string tree;
};
Bytes EncodePingRequest();
Bytes EncodePing(const Ping &ping);
std::optional<Ping> DecodePing(ByteView data);

// 97 (and 33, without the flags): the buffer size each side proposes, and the security flags; a server
// that sets the signing flag will not talk to a client that does not sign.
inline constexpr std::uint8_t kSecuritySigning = 0x02;
struct BufferOffer
{
    std::uint16_t size = 0;
    std::uint8_t securityFlags = 0;
};
Bytes EncodeBufferRequest(const BufferOffer &offer);
std::optional<BufferOffer> DecodeBufferRequest(ByteView data);
Bytes EncodeBufferReply(const BufferOffer &offer);
std::optional<BufferOffer> DecodeBufferReply(ByteView data);

} // namespace ncp
