#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nwsim {

// Directory attribute syntaxes the simulated tree uses; every value is kept as text.
inline constexpr std::uint32_t kSyntaxDistinguishedName = 1;
inline constexpr std::uint32_t kSyntaxCaseIgnoreString = 3;
inline constexpr std::uint32_t kSyntaxClassName = 20;
inline constexpr std::uint32_t kSyntaxStream = 21;

struct DsAttribute
{
    std::string name;
    std::uint32_t syntax = 0;
    std::vector<std::string> values;
    std::uint32_t changeType = 0;
};

struct DsObject
{
    std::string name;
    std::uint32_t id = 0;
    std::vector<DsAttribute> attributes;
};

} // namespace nwsim
