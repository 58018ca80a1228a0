#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The plain data a scenario is made of; ScenarioParser fills it from a file, Scenario::BuiltIn in code.
namespace nwsim {

struct LoadProfile
{
    int idleCpu = 3;
    int busyCpu = 55;
    double burstsPerHour = 8.0;
    std::uint32_t requestRate = 150;
};

struct Sample
{
    std::uint32_t cpu = 0;
    std::uint32_t counter = 0;
};

enum class TriggerUnit
{
    Seconds,
    Calls
};

// Seconds count from the start of the client; calls count statistics requests to that server.
struct Trigger
{
    TriggerUnit unit = TriggerUnit::Seconds;
    std::uint32_t value = 0;
};

enum class WireFaultKind
{
    Slow,
    Trickle,
    Drop,
    Busy,
    Signing
};

// A fault of the server's TCP face alone; the simulated client never meets it. Timed like a stop: from the
// start on, and for length seconds or statistics requests (0: for ever).
struct WireFault
{
    WireFaultKind kind = WireFaultKind::Slow;
    // How late a slow reply goes, or how far apart a trickled reply's bytes.
    std::uint32_t milliseconds = 0;
    Trigger start;
    std::uint32_t length = 0;
};

struct ServerSetup
{
    std::string name;
    std::uint8_t majorVersion = 4;
    std::uint8_t minorVersion = 11;
    std::uint8_t revision = 0;
    bool consoleRights = true;
    bool inTree = false;
    int connections = 1;
    LoadProfile profile;
    std::uint32_t seed = 0;
    std::uint32_t counterStart = 0;
    std::uint16_t licensedConnections = 100;
    std::uint16_t volumes = 3;
    std::vector<Sample> samples;
    std::optional<Trigger> stop;
    // How long the stop lasts, in the stop's unit (refused requests for calls); 0: for ever.
    std::uint32_t stopLength = 0;
    std::optional<Trigger> restart;
    std::uint32_t restartValue = 0;
    // Unset: a manager exactly when a console operator.
    std::optional<bool> manager;
    // 0 on, 1 server messages only, 2 off, 3 stored; every connection to the server starts with it.
    std::uint16_t broadcastMode = 0;
    // Year since 1900, month, day as the server reports them, a day that does not exist included; unset:
    // the workstation's own date.
    std::optional<std::array<std::uint8_t, 3>> date;
    // Keyed logins' passwords by upper-case user name; a user without one has the empty password.
    std::map<std::string, std::string> passwords;
    std::vector<WireFault> wireFaults;
};

// A bindery object of one server beyond those every server has (the login, EVERYONE, the server itself).
struct BinderySetup
{
    std::string server;
    std::uint16_t type = 0x0100;
    std::string name;
    // 0: made from the server and the name.
    std::uint32_t id = 0;
    std::string identification;
};

// A directory object beyond the login, its containers and the servers of the tree.
struct DsObjectSetup
{
    std::string name;
    std::string objectClass;
};

struct DsAttributeSetup
{
    std::string object;
    std::string attribute;
    std::string value;
};

struct DriveSetup
{
    char letter = 'F';
    std::string server;
    std::string path;
};

} // namespace nwsim
