#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nwsim/DsObject.h"
#include "nwsim/Scenario.h"

namespace nwsim {

// The objects of the simulated directory tree: the login's containers, the user and the servers that
// belong to the tree. Names are typed ("CN=ADMIN.O=EMBERLY"); lookups also accept typeless names and
// names relative to a name context.
class DsTree
{
public:
    explicit DsTree(const Scenario &scenario);

    static std::string Typeless(std::string_view name);
    static std::string Parent(std::string_view name);
    // Pointers stay valid until the next Add or Remove.
    DsObject *Find(std::string_view name, std::string_view context);
    std::string Qualify(std::string_view name, std::string_view context) const;
    std::vector<const DsObject *> Children(std::string_view parent) const;
    std::uint32_t Add(const std::string &name, std::vector<DsAttribute> attributes);
    std::uint32_t Remove(const DsObject &object);

private:
    void addContainers(std::string_view name);
    void addObject(const std::string &name, const char *objectClass, std::vector<DsAttribute> attributes);
    // Adds without looking for the name or its parent first.
    void insert(const std::string &name, const char *objectClass, std::vector<DsAttribute> attributes);

    std::vector<DsObject> m_objects;
};

} // namespace nwsim
