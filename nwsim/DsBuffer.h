#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "nwsim/DsObject.h"

namespace nwsim {

// A directory request or reply buffer. It has the byte size it was allocated with and refuses what does
// not fit, as the real buffers do; reading walks attributes, their values and listed objects in order.
class DsBuffer
{
public:
    explicit DsBuffer(std::uint32_t size);

    void Init(std::uint32_t operation);
    std::uint32_t Operation() const { return m_operation; }
    bool PutAttribute(const std::string &name, std::uint32_t changeType);
    // Adds a value to the attribute put last; false when there is none or no room.
    bool PutValue(std::uint32_t syntax, const std::string &value);
    // Adds an attribute with all its values, or nothing when they do not fit together.
    bool PutWhole(const DsAttribute &attribute, bool withValues);
    bool PutObject(const std::string &name, std::uint32_t attributeCount);
    const std::vector<DsAttribute> &Attributes() const { return m_attributes; }

    std::size_t ObjectCount() const { return m_objects.size(); }
    const DsAttribute *NextAttribute();
    // The attribute NextAttribute gave last, or null.
    const DsAttribute *Current() const;
    const std::string *PeekValue() const;
    const std::string *NextValue();
    const std::pair<std::string, std::uint32_t> *NextObject();

private:
    bool reserve(std::size_t bytes);

    std::uint32_t m_size;
    std::size_t m_used = 0;
    std::uint32_t m_operation = 0;
    std::vector<DsAttribute> m_attributes;
    std::vector<std::pair<std::string, std::uint32_t>> m_objects;
    std::size_t m_nextAttribute = 0;
    std::size_t m_nextValue = 0;
    std::size_t m_nextObject = 0;
};

} // namespace nwsim
