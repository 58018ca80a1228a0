#pragma once

#include <cstdint>

#include "netware/nwclient.h"

// The client's own completion codes: 0x88xx for what went wrong on this side of the wire, 0x89xx for
// what a server answered (its completion code in the low byte).
namespace ncp::codes {

inline constexpr std::uint32_t kInvalidConnection = NW_ERR_INVALID_CONNECTION;
inline constexpr std::uint32_t kReceiveFailed = 0x8805u;
inline constexpr std::uint32_t kSendFailed = 0x8809u;
inline constexpr std::uint32_t kBufferTooSmall = 0x880Eu;
inline constexpr std::uint32_t kNoConnection = 0x880Fu;
inline constexpr std::uint32_t kBadReplyLength = 0x8816u;
// No reply in time, the socket closed, or the server said it is going down.
inline constexpr std::uint32_t kConnectionLost = 0x8819u;
inline constexpr std::uint32_t kInvalidParameter = 0x8836u;
inline constexpr std::uint32_t kNoServer = NW_ERR_SERVER_UNKNOWN;
inline constexpr std::uint32_t kSignatureRequired = 0x8861u;
inline constexpr std::uint32_t kNoMoreEntries = NW_ERR_NO_MORE_ENTRIES;
// The server broke the protocol: a frame that cannot be read, of another sequence or connection.
inline constexpr std::uint32_t kRequesterFailure = 0x88FFu;
inline constexpr std::uint32_t kNotSupported = NW_ERR_NOT_SUPPORTED;
inline constexpr std::uint32_t kNoSuchObject = NW_ERR_NO_SUCH_OBJECT;
// A keyed login that succeeded on a grace login: the password has expired.
inline constexpr std::uint32_t kPasswordExpired = 0x89DFu;

constexpr std::uint32_t FromServer(std::uint8_t completion)
{
    return completion == 0 ? NW_SUCCESS : 0x8900u | completion;
}

} // namespace ncp::codes
