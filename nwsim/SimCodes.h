#pragma once

#include <cstdint>

// Completion codes of the simulated client beyond those the contract header names. Directory codes are
// small negative numbers, as directory clients report them.
namespace nwsim::codes {

inline constexpr std::uint32_t kInvalidParameter = 0x8836u;
inline constexpr std::uint32_t kBufferTooSmall = 0x880Eu;
inline constexpr std::uint32_t kServerNotResponding = 0x89FFu;
inline constexpr std::uint32_t kNoSuchSegment = 0x89ECu;
inline constexpr std::uint32_t kNoSuchProperty = 0x89FBu;

inline constexpr std::uint32_t kDsNotEnoughMemory = std::uint32_t(-301);
inline constexpr std::uint32_t kDsBadKey = std::uint32_t(-302);
inline constexpr std::uint32_t kDsBadContext = std::uint32_t(-303);
inline constexpr std::uint32_t kDsBufferFull = std::uint32_t(-304);
inline constexpr std::uint32_t kDsBufferEmpty = std::uint32_t(-307);
inline constexpr std::uint32_t kDsBadRequest = std::uint32_t(-308);
inline constexpr std::uint32_t kDsSyntaxMismatch = std::uint32_t(-309);
inline constexpr std::uint32_t kDsNoSuchEntry = std::uint32_t(-601);
inline constexpr std::uint32_t kDsNoSuchAttribute = std::uint32_t(-603);
inline constexpr std::uint32_t kDsEntryExists = std::uint32_t(-606);
inline constexpr std::uint32_t kDsNotLeaf = std::uint32_t(-654);

} // namespace nwsim::codes
