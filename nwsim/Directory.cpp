#include "nwsim/Directory.h"

#include <algorithm>
#include <cstring>

#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

// Both tables are bounded: a caller that leaks contexts or buffers gets failures, not an ever larger client.
constexpr std::size_t kMaxContexts = 256;
constexpr std::size_t kMaxBuffers = 256;
constexpr std::uint32_t kMaxBufferSize = 65536;
constexpr std::size_t kMaxInputText = 4096;
constexpr std::uint32_t kDefaultFlags = 1 | 2 | 16;
constexpr std::uint32_t kTypelessNames = 4;
constexpr std::uint32_t kReadOperation = 3;
constexpr std::uint32_t kListOperation = 5;

enum ChangeType : std::uint32_t
{
    AddAttribute,
    RemoveAttribute,
    AddValue,
    RemoveValue,
    AdditionalValue,
    OverwriteValue,
    ClearAttribute,
    ClearValue
};

std::vector<DsAttribute>::iterator attributeNamed(DsObject &object, const std::string &name)
{
    return std::ranges::find_if(object.attributes,
                                [&](const DsAttribute &a) { return text::EqualNoCase(a.name, name); });
}

std::string relativeName(const std::string &name)
{
    return name.substr(0, name.find('.'));
}

} // namespace

Directory::Directory(const Scenario &scenario) : m_tree(scenario)
{
    if (!scenario.tree.empty()) {
        m_login = scenario.login;
    }
}

std::uint32_t Directory::CreateContext()
{
    return addContext({kDefaultFlags, "[Root]"});
}

std::uint32_t Directory::FreeContext(std::uint32_t handle)
{
    return m_contexts.erase(handle) == 1 ? 0 : codes::kDsBadContext;
}

std::uint32_t Directory::DuplicateContext(std::uint32_t handle)
{
    const Context *original = context(handle);
    return original == nullptr ? 0 : addContext(*original);
}

std::uint32_t Directory::DuplicateContextHandle(std::uint32_t handle, std::uint32_t *newContext)
{
    const std::uint32_t duplicate = DuplicateContext(handle);
    if (duplicate == 0) {
        return codes::kDsBadContext;
    }
    text::PutIfWanted(newContext, duplicate);
    return 0;
}

std::uint32_t Directory::SetContext(std::uint32_t handle, std::uint32_t key, const void *value)
{
    Context *target = context(handle);
    if (target == nullptr) {
        return codes::kDsBadContext;
    }
    if (value == nullptr) {
        return codes::kInvalidParameter;
    }
    if (key == NW_DS_CTX_FLAGS) {
        std::memcpy(&target->flags, value, sizeof target->flags);
        return 0;
    }
    if (key != NW_DS_CTX_NAME) {
        return codes::kDsBadKey;
    }
    const std::string name = text::ReadBounded(static_cast<const char *>(value), kMaxInputText);
    if (text::EqualNoCase(name, "[Root]")) {
        target->name = "[Root]";
        return 0;
    }
    const DsObject *found = m_tree.Find(name, "[Root]");
    if (found == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    target->name = found->name;
    return 0;
}

std::uint32_t Directory::GetContext(std::uint32_t handle, std::uint32_t key, void *value)
{
    const Context *source = context(handle);
    if (source == nullptr) {
        return codes::kDsBadContext;
    }
    if (value == nullptr) {
        return codes::kInvalidParameter;
    }
    if (key == NW_DS_CTX_FLAGS) {
        std::memcpy(value, &source->flags, sizeof source->flags);
        return 0;
    }
    if (key != NW_DS_CTX_NAME) {
        return codes::kDsBadKey;
    }
    text::CopyBounded(static_cast<char *>(value), NW_NAME_BUFFER_SIZE, presented(*source, source->name));
    return 0;
}

std::uint32_t Directory::AllocBuf(std::uint32_t size, NWDSBuf *handle)
{
    if (handle == nullptr || size == 0) {
        return codes::kInvalidParameter;
    }
    if (size > kMaxBufferSize || m_buffers.size() >= kMaxBuffers) {
        return codes::kDsNotEnoughMemory;
    }
    auto created = std::make_unique<DsBuffer>(size);
    *handle = created.get();
    m_buffers.emplace(created.get(), std::move(created));
    return 0;
}

std::uint32_t Directory::InitBuf(std::uint32_t context, std::uint32_t operation, NWDSBuf handle)
{
    DsBuffer *target = buffer(context, handle);
    if (target == nullptr) {
        return codes::kDsBadRequest;
    }
    target->Init(operation);
    return 0;
}

std::uint32_t Directory::FreeBuf(NWDSBuf handle)
{
    return m_buffers.erase(handle) == 1 ? 0 : codes::kDsBadRequest;
}

std::uint32_t Directory::PutAttrName(std::uint32_t context, NWDSBuf handle, const char *name,
                                     std::uint32_t changeType)
{
    DsBuffer *target = buffer(context, handle);
    const std::string attribute = text::ReadBounded(name, kMaxInputText);
    if (target == nullptr || attribute.empty()) {
        return codes::kDsBadRequest;
    }
    return target->PutAttribute(attribute, changeType) ? 0 : codes::kDsBufferFull;
}

std::uint32_t Directory::PutAttrVal(std::uint32_t context, NWDSBuf handle, std::uint32_t syntax,
                                    const void *value)
{
    DsBuffer *target = buffer(context, handle);
    if (target == nullptr || value == nullptr) {
        return codes::kDsBadRequest;
    }
    const std::string text = text::ReadBounded(static_cast<const char *>(value), kMaxInputText);
    return target->PutValue(syntax, text) ? 0 : codes::kDsBufferFull;
}

std::uint32_t Directory::GetAttrCount(std::uint32_t context, NWDSBuf handle, std::uint32_t *count)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr || count == nullptr) {
        return codes::kDsBadRequest;
    }
    *count = std::uint32_t(source->Attributes().size());
    return 0;
}

std::uint32_t Directory::GetAttrName(std::uint32_t context, NWDSBuf handle, char *name,
                                     std::uint32_t *valueCount, std::uint32_t *syntax)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr) {
        return codes::kDsBadRequest;
    }
    const DsAttribute *attribute = source->NextAttribute();
    if (attribute == nullptr) {
        return codes::kDsBufferEmpty;
    }
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, attribute->name);
    text::PutIfWanted(valueCount, std::uint32_t(attribute->values.size()));
    text::PutIfWanted(syntax, attribute->syntax);
    return 0;
}

std::uint32_t Directory::GetAttrVal(std::uint32_t context, NWDSBuf handle, std::uint32_t syntax, void *value)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr || value == nullptr) {
        return codes::kDsBadRequest;
    }
    if (source->Current() == nullptr || source->Current()->syntax != syntax) {
        return codes::kDsSyntaxMismatch;
    }
    const std::string *text = source->NextValue();
    if (text == nullptr) {
        return codes::kDsBufferEmpty;
    }
    text::CopyBounded(static_cast<char *>(value), NW_NAME_BUFFER_SIZE, *text);
    return 0;
}

std::uint32_t Directory::ComputeAttrValSize(std::uint32_t context, NWDSBuf handle, std::uint32_t syntax,
                                            std::uint32_t *size)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr || size == nullptr) {
        return codes::kDsBadRequest;
    }
    const std::string *text = source->PeekValue();
    if (text == nullptr || source->Current()->syntax != syntax) {
        return text == nullptr ? codes::kDsBufferEmpty : codes::kDsSyntaxMismatch;
    }
    *size = std::uint32_t(text->size() + 1);
    return 0;
}

std::uint32_t Directory::GetObjectCount(std::uint32_t context, NWDSBuf handle, std::uint32_t *count)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr || count == nullptr) {
        return codes::kDsBadRequest;
    }
    *count = std::uint32_t(source->ObjectCount());
    return 0;
}

std::uint32_t Directory::GetObjectName(std::uint32_t context, NWDSBuf handle, char *name,
                                       std::uint32_t *attributeCount)
{
    DsBuffer *source = buffer(context, handle);
    if (source == nullptr) {
        return codes::kDsBadRequest;
    }
    const auto *entry = source->NextObject();
    if (entry == nullptr) {
        return codes::kDsBufferEmpty;
    }
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, entry->first);
    text::PutIfWanted(attributeCount, entry->second);
    return 0;
}

std::uint32_t Directory::Read(std::uint32_t context, const char *name, std::uint32_t infoType,
                              bool allAttributes, NWDSBuf names, std::int32_t *iteration, NWDSBuf reply)
{
    DsBuffer *target = buffer(context, reply);
    DsBuffer *wanted = allAttributes ? nullptr : buffer(context, names);
    if (target == nullptr || iteration == nullptr || infoType > 1 || (!allAttributes && wanted == nullptr)) {
        return codes::kDsBadRequest;
    }
    DsObject *found = object(context, name);
    if (found == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    std::vector<const DsAttribute *> selected;
    for (DsAttribute &attribute : found->attributes) {
        const bool requested = allAttributes
                                   ? attribute.syntax != kSyntaxStream
                                   : std::ranges::any_of(wanted->Attributes(), [&](const DsAttribute &w) {
                                         return text::EqualNoCase(w.name, attribute.name);
                                     });
        if (requested) {
            selected.push_back(&attribute);
        }
    }
    // A reply too small for everything is filled in parts; the handle says where the next part starts.
    const std::size_t start = *iteration == -1 ? 0 : std::size_t(*iteration);
    if (*iteration < -1 || start > selected.size()) {
        return codes::kDsBadRequest;
    }
    target->Init(kReadOperation);
    std::size_t next = start;
    while (next < selected.size() && target->PutWhole(*selected[next], infoType == 1)) {
        ++next;
    }
    if (next == start && start < selected.size()) {
        return codes::kDsBufferFull;
    }
    *iteration = next == selected.size() ? -1 : std::int32_t(next);
    return 0;
}

std::uint32_t Directory::List(std::uint32_t context, const char *name, std::int32_t *iteration, NWDSBuf reply)
{
    DsBuffer *target = buffer(context, reply);
    if (target == nullptr || iteration == nullptr) {
        return codes::kDsBadRequest;
    }
    const std::string parentName = text::ReadBounded(name, kMaxInputText);
    const bool root = parentName.empty() || text::EqualNoCase(parentName, "[Root]");
    const DsObject *parent = root ? nullptr : object(context, name);
    if (!root && parent == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    target->Init(kListOperation);
    for (const DsObject *child : m_tree.Children(parent == nullptr ? "[Root]" : parent->name)) {
        const std::string shown = presented(*this->context(context), relativeName(child->name));
        if (!target->PutObject(shown, std::uint32_t(child->attributes.size()))) {
            return codes::kDsBufferFull;
        }
    }
    *iteration = -1;
    return 0;
}

std::uint32_t Directory::AddObject(std::uint32_t context, const char *name, NWDSBuf attributes)
{
    const Context *source = this->context(context);
    DsBuffer *entries = buffer(context, attributes);
    const std::string given = text::ReadBounded(name, kMaxInputText);
    if (source == nullptr || entries == nullptr || given.empty()) {
        return codes::kDsBadRequest;
    }
    std::vector<DsAttribute> values = entries->Attributes();
    for (DsAttribute &attribute : values) {
        attribute.changeType = 0;
    }
    return m_tree.Add(m_tree.Qualify(given, source->name), std::move(values));
}

std::uint32_t Directory::ModifyObject(std::uint32_t context, const char *name, NWDSBuf changes)
{
    DsBuffer *entries = buffer(context, changes);
    if (entries == nullptr) {
        return codes::kDsBadRequest;
    }
    DsObject *target = object(context, name);
    if (target == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    for (const DsAttribute &change : entries->Attributes()) {
        if (const std::uint32_t result = applyChange(*target, change); result != 0) {
            return result;
        }
    }
    return 0;
}

std::uint32_t Directory::RemoveObject(std::uint32_t context, const char *name)
{
    const DsObject *target = object(context, name);
    return target == nullptr ? codes::kDsNoSuchEntry : m_tree.Remove(*target);
}

std::uint32_t Directory::GenerateKeyPair(std::uint32_t context, const char *name, const char *password)
{
    DsObject *target = object(context, name);
    if (target == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    if (password == nullptr) {
        return codes::kInvalidParameter;
    }
    // Only a fingerprint of the password is kept, never the password itself.
    const std::uint32_t fingerprint = text::Hash(text::ReadBounded(password, kMaxInputText)) ^ target->id;
    return applyChange(
        *target, {"Public Key", kSyntaxCaseIgnoreString, {std::to_string(fingerprint)}, OverwriteValue});
}

std::uint32_t Directory::OpenStream(std::uint32_t context, const char *name, const char *attribute,
                                    std::uint32_t *fileHandle)
{
    DsObject *target = object(context, name);
    if (target == nullptr || fileHandle == nullptr) {
        return target == nullptr ? codes::kDsNoSuchEntry : codes::kInvalidParameter;
    }
    const auto found = attributeNamed(*target, text::ReadBounded(attribute, kMaxInputText));
    if (found == target->attributes.end() || found->syntax != kSyntaxStream) {
        return codes::kDsNoSuchAttribute;
    }
    *fileHandle = m_nextStream++;
    return 0;
}

std::uint32_t Directory::WhoAmI(std::uint32_t handle, char *name)
{
    const Context *source = context(handle);
    if (source == nullptr) {
        return codes::kDsBadContext;
    }
    if (m_login.empty()) {
        return codes::kDsNoSuchEntry;
    }
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, presented(*source, m_login));
    return 0;
}

std::uint32_t Directory::CanonicalizeName(std::uint32_t handle, const char *name, char *canonicalName)
{
    const Context *source = context(handle);
    if (source == nullptr) {
        return codes::kDsBadContext;
    }
    if (name == nullptr || canonicalName == nullptr) {
        return codes::kInvalidParameter;
    }
    const std::string given = text::ReadBounded(name, kMaxInputText);
    const DsObject *found = m_tree.Find(given, source->name);
    const std::string canonical = found != nullptr ? found->name : m_tree.Qualify(given, source->name);
    text::CopyBounded(canonicalName, NW_CONN_INFO_NAME_SIZE, presented(*source, canonical));
    return 0;
}

std::uint32_t Directory::ObjectID(std::uint32_t context, const char *name, std::uint32_t *id)
{
    const DsObject *target = object(context, name);
    if (target == nullptr) {
        return this->context(context) == nullptr ? codes::kDsBadContext : codes::kDsNoSuchEntry;
    }
    text::PutIfWanted(id, text::SwapBytes(target->id));
    return 0;
}

Directory::Context *Directory::context(std::uint32_t handle)
{
    const auto found = m_contexts.find(handle);
    return found == m_contexts.end() ? nullptr : &found->second;
}

DsBuffer *Directory::buffer(NWDSBuf handle)
{
    const auto found = m_buffers.find(handle);
    return found == m_buffers.end() ? nullptr : found->second.get();
}

DsBuffer *Directory::buffer(std::uint32_t context, NWDSBuf handle)
{
    return this->context(context) == nullptr ? nullptr : buffer(handle);
}

DsObject *Directory::object(std::uint32_t context, const char *name)
{
    const Context *source = this->context(context);
    const std::string given = text::ReadBounded(name, kMaxInputText);
    return source == nullptr || given.empty() ? nullptr : m_tree.Find(given, source->name);
}

std::uint32_t Directory::addContext(Context context)
{
    if (m_contexts.size() >= kMaxContexts) {
        return 0;
    }
    while (m_nextContext == 0 || m_contexts.contains(m_nextContext)) {
        ++m_nextContext;
    }
    m_contexts.emplace(m_nextContext, std::move(context));
    return m_nextContext++;
}

std::string Directory::presented(const Context &context, const std::string &name) const
{
    return (context.flags & kTypelessNames) != 0 ? DsTree::Typeless(name) : name;
}

std::uint32_t Directory::applyChange(DsObject &object, const DsAttribute &change)
{
    const auto found = attributeNamed(object, change.name);
    const bool exists = found != object.attributes.end();
    switch (change.changeType) {
    case AddAttribute:
        if (exists) {
            return codes::kDsEntryExists;
        }
        object.attributes.push_back({change.name, change.syntax, change.values, 0});
        return 0;
    case RemoveAttribute:
    case ClearAttribute:
        if (!exists) {
            return change.changeType == RemoveAttribute ? codes::kDsNoSuchAttribute : 0;
        }
        object.attributes.erase(found);
        return 0;
    case AddValue:
    case AdditionalValue:
    case OverwriteValue: {
        DsAttribute &target =
            exists ? *found : object.attributes.emplace_back(DsAttribute{change.name, change.syntax, {}, 0});
        if (change.changeType == OverwriteValue) {
            target.values.clear();
        }
        target.values.insert(target.values.end(), change.values.begin(), change.values.end());
        return 0;
    }
    case RemoveValue:
    case ClearValue:
        if (!exists) {
            return codes::kDsNoSuchAttribute;
        }
        std::erase_if(found->values, [&](const std::string &v) {
            return change.changeType == ClearValue ||
                   std::ranges::find(change.values, v) != change.values.end();
        });
        return 0;
    default:
        return codes::kDsBadRequest;
    }
}

} // namespace nwsim
