#include "nwsim/DsTree.h"

#include <algorithm>

#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

std::vector<std::string_view> parts(std::string_view name)
{
    std::vector<std::string_view> result;
    for (std::size_t start = 0;;) {
        const std::size_t dot = name.find('.', start);
        result.push_back(name.substr(start, dot - start));
        if (dot == std::string_view::npos) {
            return result;
        }
        start = dot + 1;
    }
}

std::string_view valueOf(std::string_view part)
{
    const auto equals = part.find('=');
    return equals == std::string_view::npos ? part : part.substr(equals + 1);
}

// A typeless candidate part matches on the value alone; a typed one must match type and value.
bool matches(std::string_view objectName, std::string_view candidate)
{
    const auto have = parts(objectName);
    const auto want = parts(candidate);
    if (have.size() != want.size()) {
        return false;
    }
    for (std::size_t i = 0; i < have.size(); ++i) {
        const bool typed = want[i].find('=') != std::string_view::npos;
        if (!text::EqualNoCase(typed ? have[i] : valueOf(have[i]), want[i])) {
            return false;
        }
    }
    return true;
}

bool isRoot(std::string_view context)
{
    return context.empty() || text::EqualNoCase(context, "[Root]");
}

DsAttribute textAttribute(const char *name, std::uint32_t syntax, const std::string &value)
{
    return {name, syntax, {value}, 0};
}

} // namespace

DsTree::DsTree(const Scenario &scenario)
{
    if (scenario.tree.empty()) {
        return;
    }
    const std::string container = Parent(scenario.login);
    addContainers(container);
    std::vector<DsAttribute> user = {
        textAttribute("CN", kSyntaxCaseIgnoreString, Typeless(parts(scenario.login)[0])),
        textAttribute("Login Script", kSyntaxStream, "MAP F:=SYS:")};
    if (!scenario.fullName.empty()) {
        const std::string surname = scenario.fullName.substr(scenario.fullName.rfind(' ') + 1);
        user.push_back(textAttribute("Full Name", kSyntaxCaseIgnoreString, scenario.fullName));
        user.push_back(textAttribute("Surname", kSyntaxCaseIgnoreString, surname));
    }
    addObject(scenario.login, "User", user);
    for (const ServerSetup &server : scenario.servers) {
        if (server.inTree) {
            const std::string version = "NetWare " + std::to_string(server.majorVersion) + "." +
                                        std::to_string(server.minorVersion);
            const std::string name = "CN=" + server.name + (container.empty() ? "" : "." + container);
            addObject(name, "NCP Server", {textAttribute("Version", kSyntaxCaseIgnoreString, version)});
        }
    }
    for (const DsObjectSetup &object : scenario.objects) {
        addContainers(Parent(object.name));
        addObject(object.name, object.objectClass.c_str(), {});
    }
    for (const DsAttributeSetup &setup : scenario.attributes) {
        if (DsObject *object = Find(setup.object, "[Root]")) {
            const auto found = std::ranges::find_if(
                object->attributes, [&](const DsAttribute &a) { return text::EqualNoCase(a.name, setup.attribute); });
            if (found != object->attributes.end()) {
                found->values.push_back(setup.value);
            } else {
                object->attributes.push_back(textAttribute(setup.attribute.c_str(), kSyntaxCaseIgnoreString, setup.value));
            }
        }
    }
}

std::string DsTree::Typeless(std::string_view name)
{
    std::string result;
    for (const std::string_view part : parts(name)) {
        result += (result.empty() ? "" : ".") + std::string(valueOf(part));
    }
    return result;
}

std::string DsTree::Parent(std::string_view name)
{
    const auto dot = name.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

DsObject *DsTree::Find(std::string_view name, std::string_view context)
{
    for (const std::string &candidate : {std::string(name), Qualify(name, context)}) {
        const auto found =
            std::ranges::find_if(m_objects, [&](const DsObject &o) { return matches(o.name, candidate); });
        if (found != m_objects.end()) {
            return &*found;
        }
    }
    return nullptr;
}

std::string DsTree::Qualify(std::string_view name, std::string_view context) const
{
    // A trailing dot or a root context means the name is already complete.
    if (name.ends_with('.')) {
        return std::string(name.substr(0, name.size() - 1));
    }
    return isRoot(context) ? std::string(name) : std::string(name) + "." + std::string(context);
}

std::vector<const DsObject *> DsTree::Children(std::string_view parent) const
{
    std::vector<const DsObject *> children;
    for (const DsObject &object : m_objects) {
        const std::string objectParent = Parent(object.name);
        if (isRoot(parent) ? objectParent.empty() : text::EqualNoCase(objectParent, parent)) {
            children.push_back(&object);
        }
    }
    return children;
}

std::uint32_t DsTree::Add(const std::string &name, std::vector<DsAttribute> attributes)
{
    if (Find(name, "[Root]") != nullptr) {
        return codes::kDsEntryExists;
    }
    const std::string parent = Parent(name);
    if (!parent.empty() && Find(parent, "[Root]") == nullptr) {
        return codes::kDsNoSuchEntry;
    }
    m_objects.push_back({name, text::Hash(name) | 0x01000000u, std::move(attributes)});
    return 0;
}

std::uint32_t DsTree::Remove(const DsObject &object)
{
    if (!Children(object.name).empty()) {
        return codes::kDsNotLeaf;
    }
    std::erase_if(m_objects, [&](const DsObject &o) { return &o == &object; });
    return 0;
}

// From the root down, one pass over the parts. Each container's name is the tail of the name that starts at
// its part, so it is taken from the name itself, and a container that exists already is not added again.
void DsTree::addContainers(std::string_view name)
{
    if (name.empty()) {
        return;
    }
    const std::vector<std::string_view> all = parts(name);
    for (auto part = all.rbegin(); part != all.rend(); ++part) {
        const std::string container(name.substr(std::size_t(part->data() - name.data())));
        const bool exists = std::ranges::any_of(
            m_objects, [&](const DsObject &o) { return o.name.size() == container.size() && text::EqualNoCase(o.name, container); });
        if (exists) {
            continue;
        }
        const bool organization = text::EqualNoCase(part->substr(0, 2), "O=");
        const char *type = organization ? "O" : "OU";
        insert(container, organization ? "Organization" : "Organizational Unit",
               {textAttribute(type, kSyntaxCaseIgnoreString, std::string(valueOf(*part)))});
    }
}

void DsTree::insert(const std::string &name, const char *objectClass, std::vector<DsAttribute> attributes)
{
    attributes.push_back(textAttribute("Object Class", kSyntaxClassName, objectClass));
    m_objects.push_back({name, text::Hash(name) | 0x01000000u, std::move(attributes)});
}

void DsTree::addObject(const std::string &name, const char *objectClass, std::vector<DsAttribute> attributes)
{
    attributes.push_back(textAttribute("Object Class", kSyntaxClassName, objectClass));
    Add(name, std::move(attributes));
}

} // namespace nwsim
