#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nwsim/Scenario.h"

namespace nwsim {

// Reads the line-based scenario format (README, "Simulated client"). Everything a line refers to must be
// defined on an earlier line, so each error can name the one line at fault.
class ScenarioParser
{
public:
    // Throws ScenarioError for the first line that is not understood.
    static Scenario Parse(std::istream &input);

private:
    using Words = std::vector<std::string>;

    ScenarioParser();

    void parseLine(const std::string &line);
    void parseProfile(const Words &words);
    void parseServer(const Words &words);
    void applyServerOption(ServerSetup &setup, std::string_view key, std::string_view value);
    void parseSequence(const Words &words);
    void parseDrive(const Words &words);
    void parseBindery(const Words &words);
    void parseObject(const Words &words);
    void parseAttribute(const Words &words);
    void parseServerDate(ServerSetup &setup, std::string_view value);
    std::uint32_t choice(std::string_view word, const std::vector<std::string> &names);
    const std::string &name(const std::string &word);
    void parsePassword(const Words &words);
    void parseWire(const Words &words);
    void parseStop(const Words &words);
    void parseRestart(const Words &words);
    std::uint32_t parseFailure(const Words &words);
    const std::string &typedName(const std::string &word);
    void parseVersion(ServerSetup &setup, std::string_view value);
    // "after N seconds|calls" from words[at] on.
    Trigger parseTrigger(const Words &words, std::size_t at);
    // The number after the keyword that may end a stop or restart line; 0 when the line ends at its trigger.
    std::uint32_t trailingNumber(const Words &words, const std::string &keyword);
    ServerSetup &server(std::string_view name);
    std::uint32_t number(std::string_view word, std::uint32_t maximum);
    std::uint32_t code(std::string_view word);
    bool yesNo(std::string_view word);
    void expectWords(const Words &words, std::size_t least, std::size_t most);
    [[noreturn]] void fail(const std::string &message) const;

    Scenario m_scenario;
    std::map<std::string, LoadProfile> m_profiles;
    int m_line = 0;
};

} // namespace nwsim
