#include "nwsim/DsBuffer.h"

namespace nwsim {

namespace {

// What an entry costs in the buffer: its text with the terminator plus a 32-bit length or count field.
std::size_t cost(const std::string &text)
{
    return text.size() + 1 + 4;
}

} // namespace

DsBuffer::DsBuffer(std::uint32_t size) : m_size(size)
{}

void DsBuffer::Init(std::uint32_t operation)
{
    m_operation = operation;
    m_used = 0;
    m_attributes.clear();
    m_objects.clear();
    m_nextAttribute = 0;
    m_nextValue = 0;
    m_nextObject = 0;
}

bool DsBuffer::PutAttribute(const std::string &name, std::uint32_t changeType)
{
    if (!reserve(cost(name) + 4)) {
        return false;
    }
    m_attributes.push_back({name, 0, {}, changeType});
    return true;
}

bool DsBuffer::PutValue(std::uint32_t syntax, const std::string &value)
{
    if (m_attributes.empty() || !reserve(cost(value))) {
        return false;
    }
    m_attributes.back().syntax = syntax;
    m_attributes.back().values.push_back(value);
    return true;
}

bool DsBuffer::PutWhole(const DsAttribute &attribute, bool withValues)
{
    std::size_t bytes = cost(attribute.name) + 4;
    for (const std::string &value : attribute.values) {
        bytes += withValues ? cost(value) : 0;
    }
    if (!reserve(bytes)) {
        return false;
    }
    m_attributes.push_back(attribute);
    if (!withValues) {
        m_attributes.back().values.clear();
    }
    return true;
}

bool DsBuffer::PutObject(const std::string &name, std::uint32_t attributeCount)
{
    if (!reserve(cost(name) + 4)) {
        return false;
    }
    m_objects.emplace_back(name, attributeCount);
    return true;
}

const DsAttribute *DsBuffer::NextAttribute()
{
    if (m_nextAttribute >= m_attributes.size()) {
        return nullptr;
    }
    m_nextValue = 0;
    return &m_attributes[m_nextAttribute++];
}

const DsAttribute *DsBuffer::Current() const
{
    return m_nextAttribute == 0 ? nullptr : &m_attributes[m_nextAttribute - 1];
}

const std::string *DsBuffer::PeekValue() const
{
    const DsAttribute *current = Current();
    return current != nullptr && m_nextValue < current->values.size() ? &current->values[m_nextValue]
                                                                      : nullptr;
}

const std::string *DsBuffer::NextValue()
{
    const std::string *value = PeekValue();
    m_nextValue += value != nullptr ? 1 : 0;
    return value;
}

const std::pair<std::string, std::uint32_t> *DsBuffer::NextObject()
{
    return m_nextObject < m_objects.size() ? &m_objects[m_nextObject++] : nullptr;
}

bool DsBuffer::reserve(std::size_t bytes)
{
    if (m_used + bytes > m_size) {
        return false;
    }
    m_used += bytes;
    return true;
}

} // namespace nwsim
