#include "nwsim/ScenarioParser.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "nwsim/ScenarioError.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

// Longer names are no longer names the client could have been given by a server.
constexpr std::size_t kMaxName = 1024;
constexpr int kMaxConnections = 8;
// Every part of a typed name is a container of the directory tree, and building or searching the tree
// costs the cube of its depth: a few hundred parts took minutes. Real trees stay far shallower.
constexpr std::size_t kMaxNameParts = 16;
// As long as a client's servers file lets a password be.
constexpr std::size_t kMaxPassword = 127;
constexpr std::uint32_t kMaxWireDelay = 60'000;
constexpr std::uint16_t kTypeUser = 0x0100;

std::vector<std::string> splitWords(const std::string &line)
{
    std::istringstream stream(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string joinFrom(const std::vector<std::string> &words, std::size_t first)
{
    std::string result;
    for (std::size_t i = first; i < words.size(); ++i) {
        result += (i == first ? "" : " ") + words[i];
    }
    return result;
}

// "key=value" as the upper-cased key and the value; a word without '=' gives an empty value.
std::pair<std::string, std::string_view> setting(const std::string &word)
{
    const auto equals = word.find('=');
    const std::string_view value =
        equals == std::string::npos ? "" : std::string_view(word).substr(equals + 1);
    return {text::Upper(word.substr(0, equals)), value};
}

} // namespace

ScenarioParser::ScenarioParser()
{
    m_profiles["QUIET"] = {1, 15, 2.0, 40};
    m_profiles["NORMAL"] = LoadProfile{};
    m_profiles["BUSY"] = {10, 85, 24.0, 600};
}

Scenario ScenarioParser::Parse(std::istream &input)
{
    ScenarioParser parser;
    for (std::string line; std::getline(input, line);) {
        ++parser.m_line;
        parser.parseLine(line);
    }
    return parser.m_scenario;
}

const std::string &ScenarioParser::typedName(const std::string &word)
{
    if (std::size_t(std::count(word.begin(), word.end(), '.')) >= kMaxNameParts) {
        fail("name of more than 16 parts");
    }
    return name(word);
}

void ScenarioParser::parseLine(const std::string &line)
{
    const Words words = splitWords(line);
    if (words.empty()) {
        return;
    }
    const std::string keyword = text::Upper(words[0]);
    if (keyword == "TREE") {
        expectWords(words, 2, 2);
        m_scenario.tree = name(words[1]);
    } else if (keyword == "LOGIN") {
        expectWords(words, 2, 64);
        m_scenario.login = typedName(words[1]);
        m_scenario.fullName = joinFrom(words, 2);
    } else if (keyword == "CONTEXT") {
        expectWords(words, 2, 2);
        m_scenario.context = typedName(words[1]);
    } else if (keyword == "BINDERY") {
        parseBindery(words);
    } else if (keyword == "OBJECT") {
        parseObject(words);
    } else if (keyword == "ATTRIBUTE") {
        parseAttribute(words);
    } else if (keyword == "FIRSTDRIVE") {
        expectWords(words, 2, 2);
        const std::string letter = text::Upper(words[1]);
        if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z') {
            fail("drive letter must be one of A to Z");
        }
        m_scenario.firstDrive = std::uint16_t(letter[0] - 'A' + 1);
    } else if (keyword == "ERRORMODE") {
        expectWords(words, 2, 2);
        m_scenario.errorMode = std::uint8_t(choice(words[1], {"INTERACTIVE", "NETWARE", "DOS"}));
    } else if (keyword == "PROFILE") {
        parseProfile(words);
    } else if (keyword == "SERVER") {
        parseServer(words);
    } else if (keyword == "SEQUENCE") {
        parseSequence(words);
    } else if (keyword == "DRIVE") {
        parseDrive(words);
    } else if (keyword == "STOP") {
        parseStop(words);
    } else if (keyword == "RESTART") {
        parseRestart(words);
    } else if (keyword == "PASSWORD") {
        parsePassword(words);
    } else if (keyword == "WIRE") {
        parseWire(words);
    } else if (keyword == "PRIMARY") {
        m_scenario.primaryFailure = parseFailure(words);
    } else if (keyword == "CALLSINIT") {
        m_scenario.callsInitFailure = parseFailure(words);
    } else {
        fail("unknown keyword '" + words[0] + "'");
    }
}

void ScenarioParser::parseProfile(const Words &words)
{
    expectWords(words, 2, 6);
    const std::string name = text::Upper(words[1]);
    if (m_profiles.contains(name)) {
        fail("profile '" + words[1] + "' is already defined");
    }
    LoadProfile profile;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto [key, value] = setting(words[i]);
        if (key == "IDLE") {
            profile.idleCpu = int(number(value, 100));
        } else if (key == "BUSY") {
            profile.busyCpu = int(number(value, 100));
        } else if (key == "BURSTS") {
            profile.burstsPerHour = number(value, 3600);
        } else if (key == "RATE") {
            profile.requestRate = number(value, 10'000'000);
        } else {
            fail("unknown profile setting '" + words[i] + "'");
        }
    }
    if (profile.idleCpu > profile.busyCpu) {
        fail("idle level above busy level");
    }
    m_profiles[name] = profile;
}

void ScenarioParser::parseServer(const Words &words)
{
    expectWords(words, 2, 12);
    name(words[1]);
    for (const ServerSetup &existing : m_scenario.servers) {
        if (text::EqualNoCase(existing.name, words[1])) {
            fail("server '" + words[1] + "' is already defined");
        }
    }
    ServerSetup setup;
    setup.name = words[1];
    setup.profile = m_profiles["NORMAL"];
    setup.seed = text::Hash(setup.name);
    setup.counterStart = setup.seed % 50'000'000u;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i].find('=') == std::string::npos) {
            fail("expected key=value, found '" + words[i] + "'");
        }
        const auto [key, value] = setting(words[i]);
        applyServerOption(setup, key, value);
    }
    if (setup.inTree && m_scenario.tree.empty()) {
        fail("server in a directory tree, but no tree is defined");
    }
    m_scenario.servers.push_back(setup);
}

void ScenarioParser::applyServerOption(ServerSetup &setup, std::string_view key, std::string_view value)
{
    if (key == "VERSION") {
        parseVersion(setup, value);
    } else if (key == "RIGHTS") {
        setup.consoleRights = yesNo(value);
    } else if (key == "TREE") {
        setup.inTree = yesNo(value);
    } else if (key == "CONNECTIONS") {
        setup.connections = int(number(value, kMaxConnections));
        if (setup.connections == 0) {
            fail("a server needs at least one connection");
        }
    } else if (key == "PROFILE") {
        const auto found = m_profiles.find(text::Upper(value));
        if (found == m_profiles.end()) {
            fail("unknown profile '" + std::string(value) + "'");
        }
        setup.profile = found->second;
    } else if (key == "SEED") {
        setup.seed = number(value, UINT32_MAX);
    } else if (key == "COUNTER") {
        setup.counterStart = number(value, UINT32_MAX);
    } else if (key == "LICENCE") {
        setup.licensedConnections = std::uint16_t(number(value, UINT16_MAX));
    } else if (key == "VOLUMES") {
        setup.volumes = std::uint16_t(number(value, 255));
    } else if (key == "MANAGER") {
        setup.manager = yesNo(value);
    } else if (key == "BROADCAST") {
        setup.broadcastMode = std::uint16_t(choice(value, {"ON", "SERVERONLY", "OFF", "STORED"}));
    } else if (key == "DATE") {
        parseServerDate(setup, value);
    } else {
        fail("unknown server setting '" + std::string(key) + "'");
    }
}

void ScenarioParser::parseVersion(ServerSetup &setup, std::string_view value)
{
    const auto dot = value.find('.');
    if (dot == std::string_view::npos) {
        fail("version must read major.minor");
    }
    setup.majorVersion = std::uint8_t(number(value.substr(0, dot), 255));
    const std::string_view rest = value.substr(dot + 1);
    const auto second = rest.find('.');
    setup.minorVersion = std::uint8_t(number(rest.substr(0, second), 255));
    setup.revision = second == std::string_view::npos ? 0 : std::uint8_t(number(rest.substr(second + 1), 255));
}

void ScenarioParser::parseSequence(const Words &words)
{
    expectWords(words, 3, SIZE_MAX);
    ServerSetup &setup = server(words[1]);
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto colon = words[i].find(':');
        if (colon == std::string::npos) {
            fail("expected cpu:counter, found '" + words[i] + "'");
        }
        const std::string_view word = words[i];
        setup.samples.push_back(
            {number(word.substr(0, colon), 100), number(word.substr(colon + 1), UINT32_MAX)});
    }
}

void ScenarioParser::parseDrive(const Words &words)
{
    expectWords(words, 4, 4);
    const std::string letter = text::Upper(words[1]);
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z') {
        fail("drive letter must be one of A to Z");
    }
    m_scenario.drives.push_back({letter[0], server(words[2]).name, words[3]});
}

// Any month and day up to 255 are taken, so that a server can report a date that does not exist.
void ScenarioParser::parseServerDate(ServerSetup &setup, std::string_view value)
{
    const auto first = value.find('-');
    const auto second = first == std::string_view::npos ? first : value.find('-', first + 1);
    if (second == std::string_view::npos) {
        fail("date must read year-month-day");
    }
    const std::uint32_t year = number(value.substr(0, first), 2155);
    if (year < 1900) {
        fail("year before 1900");
    }
    setup.date = std::array<std::uint8_t, 3>{std::uint8_t(year - 1900),
                                             std::uint8_t(number(value.substr(first + 1, second - first - 1), 255)),
                                             std::uint8_t(number(value.substr(second + 1), 255))};
}

void ScenarioParser::parseBindery(const Words &words)
{
    expectWords(words, 4, 64);
    static const std::vector<std::string> types{
        "NONE",          "USER",          "GROUP",    "PRINTQUEUE",     "FILESERVER",   "JOBSERVER",
        "GATEWAY",       "PRINTSERVER",   "ARCHIVEQUEUE", "ARCHIVESERVER", "JOBQUEUE", "ADMINISTRATION"};
    BinderySetup setup;
    setup.server = server(words[1]).name;
    const std::string type = text::Upper(words[2]);
    if (type == "NASSNASERVER" || type == "REMOTEBRIDGE" || type == "TCPIPGATEWAY") {
        setup.type = std::uint16_t((type == "NASSNASERVER" ? 0x21 : type == "REMOTEBRIDGE" ? 0x26 : 0x27) << 8);
    } else {
        const std::uint32_t ordinal = choice(words[2], types);
        if (ordinal == 0) {
            fail("a bindery object needs a type");
        }
        setup.type = std::uint16_t(ordinal << 8);
    }
    setup.name = text::Upper(name(words[3]));
    std::size_t rest = 4;
    if (words.size() > 4 && text::Upper(words[4]).starts_with("ID=")) {
        setup.id = code(std::string_view(words[4]).substr(3));
        rest = 5;
    }
    setup.identification = joinFrom(words, rest);
    m_scenario.bindery.push_back(setup);
}

void ScenarioParser::parseObject(const Words &words)
{
    expectWords(words, 3, 3);
    if (m_scenario.tree.empty()) {
        fail("a directory object needs a tree");
    }
    std::string objectClass = words[2];
    std::ranges::replace(objectClass, '_', ' ');
    m_scenario.objects.push_back({typedName(words[1]), objectClass});
}

void ScenarioParser::parseAttribute(const Words &words)
{
    expectWords(words, 4, 64);
    const bool known = text::EqualNoCase(words[1], m_scenario.login) ||
                       std::ranges::any_of(m_scenario.objects, [&](const DsObjectSetup &o) {
                           return text::EqualNoCase(o.name, words[1]);
                       });
    if (m_scenario.tree.empty() || !known) {
        fail("unknown directory object '" + words[1] + "'");
    }
    std::string attribute = words[2];
    std::ranges::replace(attribute, '_', ' ');
    m_scenario.attributes.push_back({words[1], attribute, joinFrom(words, 3)});
}

void ScenarioParser::parsePassword(const Words &words)
{
    expectWords(words, 4, 4);
    ServerSetup &setup = server(words[1]);
    const std::string user = text::Upper(words[2]);
    const bool known =
        user == m_scenario.BinderyUser() ||
        std::ranges::any_of(m_scenario.bindery, [&](const BinderySetup &b) {
            return b.type == kTypeUser && b.name == user && text::EqualNoCase(b.server, setup.name);
        });
    if (!known) {
        fail("'" + words[2] + "' is no user of server '" + setup.name + "'");
    }
    if (words[3].size() > kMaxPassword) {
        fail("password longer than 127 characters");
    }
    setup.passwords[user] = words[3];
}

void ScenarioParser::parseWire(const Words &words)
{
    expectWords(words, 3, 9);
    ServerSetup &setup = server(words[1]);
    WireFault fault;
    fault.kind = WireFaultKind(choice(words[2], {"SLOW", "TRICKLE", "DROP", "BUSY", "SIGNING"}));
    std::size_t next = 3;
    if (fault.kind == WireFaultKind::Slow || fault.kind == WireFaultKind::Trickle) {
        expectWords(words, 4, 9);
        fault.milliseconds = number(words[next++], kMaxWireDelay);
    }
    if (next < words.size() && text::Upper(words[next]) == "AFTER") {
        fault.start = parseTrigger(words, next);
        next += 3;
    }
    if (next < words.size()) {
        if (words.size() != next + 2 || text::Upper(words[next]) != "FOR") {
            fail("expected 'after' or 'for' and a number after the fault");
        }
        fault.length = number(words[next + 1], UINT32_MAX);
        if (fault.length == 0) {
            fail("a fault that ends lasts at least 1");
        }
    }
    setup.wireFaults.push_back(fault);
}

void ScenarioParser::parseStop(const Words &words)
{
    expectWords(words, 5, 7);
    ServerSetup &setup = server(words[1]);
    setup.stop = parseTrigger(words, 2);
    setup.stopLength = trailingNumber(words, "for");
    if (words.size() > 5 && setup.stopLength == 0) {
        fail("a stop that ends lasts at least 1");
    }
}

void ScenarioParser::parseRestart(const Words &words)
{
    expectWords(words, 5, 7);
    ServerSetup &setup = server(words[1]);
    setup.restart = parseTrigger(words, 2);
    setup.restartValue = trailingNumber(words, "to");
}

std::uint32_t ScenarioParser::trailingNumber(const Words &words, const std::string &keyword)
{
    if (words.size() == 5) {
        return 0;
    }
    if (words.size() != 7 || text::Upper(words[5]) != text::Upper(keyword)) {
        fail("expected '" + keyword + "' and a number after the trigger");
    }
    return number(words[6], UINT32_MAX);
}

Trigger ScenarioParser::parseTrigger(const Words &words, std::size_t at)
{
    if (words.size() < at + 3) {
        fail("expected 'after N seconds' or 'after N calls'");
    }
    if (text::Upper(words[at]) != "AFTER") {
        fail("expected 'after', found '" + words[at] + "'");
    }
    const std::uint32_t value = number(words[at + 1], UINT32_MAX);
    const std::string unit = text::Upper(words[at + 2]);
    if (unit == "SECONDS") {
        return {TriggerUnit::Seconds, value};
    }
    if (unit == "CALLS") {
        return {TriggerUnit::Calls, value};
    }
    fail("expected 'seconds' or 'calls', found '" + words[at + 2] + "'");
}

std::uint32_t ScenarioParser::parseFailure(const Words &words)
{
    expectWords(words, 3, 3);
    if (text::Upper(words[1]) != "FAILS") {
        fail("expected 'fails', found '" + words[1] + "'");
    }
    return code(words[2]);
}

ServerSetup &ScenarioParser::server(std::string_view name)
{
    for (ServerSetup &setup : m_scenario.servers) {
        if (text::EqualNoCase(setup.name, name)) {
            return setup;
        }
    }
    fail("unknown server '" + std::string(name) + "'");
}

std::uint32_t ScenarioParser::number(std::string_view word, std::uint32_t maximum)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value > maximum) {
        fail("expected a number from 0 to " + std::to_string(maximum) + ", found '" + std::string(word) +
             "'");
    }
    return std::uint32_t(value);
}

std::uint32_t ScenarioParser::code(std::string_view word)
{
    if (word.starts_with("0x") || word.starts_with("0X")) {
        word.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    // A failure code of 0 would read as success.
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value == 0) {
        fail("expected a nonzero hexadecimal completion code, found '" + std::string(word) + "'");
    }
    return value;
}

std::uint32_t ScenarioParser::choice(std::string_view word, const std::vector<std::string> &names)
{
    const std::string upper = text::Upper(word);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == upper) {
            return std::uint32_t(i);
        }
    }
    fail("unknown setting '" + std::string(word) + "'");
}

const std::string &ScenarioParser::name(const std::string &word)
{
    if (word.size() > kMaxName) {
        fail("name longer than 1024 characters");
    }
    return word;
}

bool ScenarioParser::yesNo(std::string_view word)
{
    const std::string upper = text::Upper(word);
    if (upper != "YES" && upper != "NO") {
        fail("expected yes or no, found '" + std::string(word) + "'");
    }
    return upper == "YES";
}

void ScenarioParser::expectWords(const Words &words, std::size_t least, std::size_t most)
{
    if (words.size() < least || words.size() > most) {
        fail("wrong number of words for '" + words[0] + "'");
    }
}

void ScenarioParser::fail(const std::string &message) const
{
    throw ScenarioError(m_line, message);
}

} // namespace nwsim
