#include "nwsim/Scenario.h"

#include "nwsim/DsTree.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

ServerSetup server(const char *name, std::uint8_t major, std::uint8_t minor, std::uint32_t seed)
{
    ServerSetup setup;
    setup.name = name;
    setup.majorVersion = major;
    setup.minorVersion = minor;
    setup.seed = seed;
    setup.counterStart = seed * 977u;
    return setup;
}

} // namespace

Scenario Scenario::BuiltIn()
{
    Scenario scenario;
    scenario.tree = "EMBERLY_TREE";
    scenario.login = "CN=ADMIN.O=EMBERLY";
    scenario.fullName = "Ada Quillfeather";
    scenario.context = "O=EMBERLY";

    ServerSetup primary = server("KESTREL", 4, 11, 1101);
    primary.inTree = true;
    primary.profile = {4, 62, 10.0, 340};
    // Close to the top of the 32-bit range, so the counter wraps within the first minute or two.
    primary.counterStart = 0xFFFFC000u;
    primary.licensedConnections = 250;

    ServerSetup second = server("LARCH", 4, 10, 2203);
    second.inTree = true;
    second.profile = {2, 35, 4.0, 90};

    ServerSetup old = server("OLDMILL", 3, 12, 3307);
    old.licensedConnections = 50;

    ServerSetup locked = server("FENWICK", 4, 11, 4409);
    locked.inTree = true;
    locked.consoleRights = false;

    ServerSetup twice = server("QUARRY", 5, 0, 5501);
    twice.inTree = true;
    twice.connections = 2;
    twice.profile = {8, 80, 20.0, 520};
    twice.volumes = 5;

    scenario.servers = {primary, second, old, locked, twice};
    scenario.drives = {{'F', "KESTREL", "SYS:"},
                       {'G', "KESTREL", "SYS:PUBLIC"},
                       {'H', "LARCH", "VOL1:USERS\\ADMIN"},
                       {'Z', "KESTREL", "SYS:PUBLIC\\WIN32"}};
    return scenario;
}

std::string Scenario::BinderyUser() const
{
    return text::Upper(DsTree::Typeless(login.substr(0, login.find('.'))));
}

} // namespace nwsim
