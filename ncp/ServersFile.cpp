#include "ncp/ServersFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace ncp {

namespace {

// Far more than a workstation's connection table; a file this long is not a servers file.
constexpr std::size_t kMaxServers = 48;
constexpr std::uintmax_t kMaxFileSize = 1 << 20;
constexpr std::size_t kMaxHost = 253;
constexpr std::size_t kMaxUser = 47;
constexpr std::size_t kMaxPassword = 127;

std::string lower(std::string_view text)
{
    std::string result(text);
    std::ranges::transform(result, result.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return result;
}

bool printable(std::string_view text)
{
    return std::ranges::all_of(text, [](unsigned char c) { return c > ' ' && c != 0x7F; });
}

class Parser
{
public:
    explicit Parser(std::string name) : m_name(std::move(name)) {}

    ServersConfig Parse(std::istream &input)
    {
        for (std::string line; std::getline(input, line);) {
            ++m_line;
            parseLine(line.substr(0, line.find('#')));
        }
        const auto primaries = std::ranges::count_if(m_config.servers, &ServerEntry::primary);
        if (primaries > 1)
            fail("more than one server is marked primary", 0);
        return std::move(m_config);
    }

private:
    void parseLine(const std::string &line)
    {
        std::istringstream stream(line);
        std::vector<std::string> words;
        for (std::string word; stream >> word;)
            words.push_back(word);
        if (words.empty())
            return;
        const std::string keyword = lower(words[0]);
        if (keyword == "server") {
            parseServer(words);
        } else if (keyword == "trace") {
            if (words.size() != 2)
                fail("a trace line names one file");
            m_config.tracePath = words[1];
        } else {
            fail("unknown statement \"" + words[0] + "\" (server or trace)");
        }
    }

    void parseServer(const std::vector<std::string> &words)
    {
        if (words.size() < 2)
            fail("a server line needs a host");
        if (m_config.servers.size() == kMaxServers)
            fail("more than 48 servers");
        ServerEntry entry;
        entry.line = m_line;
        parseAddress(words[1], entry);
        for (std::size_t i = 2; i < words.size(); ++i)
            parseOption(words[i], entry);
        if (entry.user.empty() && (!entry.password.empty() || !entry.passwordFile.empty()))
            fail("a password needs a user (user=NAME)");
        m_config.servers.push_back(std::move(entry));
    }

    void parseAddress(const std::string &word, ServerEntry &entry)
    {
        std::string_view host = word;
        std::optional<std::string_view> port;
        if (host.starts_with('[')) {
            const auto close = host.find(']');
            if (close == std::string_view::npos)
                fail("an IPv6 address lacks its closing bracket");
            const std::string_view rest = host.substr(close + 1);
            if (!rest.empty() && !rest.starts_with(':'))
                fail("only a port may follow an IPv6 address");
            if (!rest.empty())
                port = rest.substr(1);
            host = host.substr(1, close - 1);
        } else if (std::ranges::count(host, ':') > 1) {
            fail("write an IPv6 address in brackets, as [::1]:524");
        } else if (const auto colon = host.find(':'); colon != std::string_view::npos) {
            port = host.substr(colon + 1);
            host = host.substr(0, colon);
        }
        if (host.empty() || host.size() > kMaxHost || !printable(host))
            fail("the host is missing or not a host name or address");
        entry.host = std::string(host);
        if (port)
            entry.port = parsePort(*port);
    }

    std::uint16_t parsePort(std::string_view text)
    {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
            value > 65535)
            fail("the port must be a number from 1 to 65535");
        return std::uint16_t(value);
    }

    void parseOption(const std::string &word, ServerEntry &entry)
    {
        const auto equals = word.find('=');
        const std::string key = lower(word.substr(0, equals));
        const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
        if (key == "primary" && equals == std::string::npos) {
            entry.primary = true;
        } else if (key == "user" && !value.empty()) {
            if (value.size() > kMaxUser)
                fail("a user name has at most 47 characters");
            entry.user = value;
        } else if (key == "password" && equals != std::string::npos) {
            if (!entry.passwordFile.empty())
                fail("give password= or password-file=, not both");
            if (value.size() > kMaxPassword)
                fail("a password has at most 127 characters");
            entry.password = value;
        } else if (key == "password-file" && !value.empty()) {
            if (!entry.password.empty())
                fail("give password= or password-file=, not both");
            entry.passwordFile = value;
        } else if (key == "user" || key == "password-file") {
            fail(key + "= needs a value");
        } else {
            // The value is not repeated: it may be a mistyped password.
            fail("unknown setting \"" + key + "\" (user=, password=, password-file= or primary)");
        }
    }

    [[noreturn]] void fail(const std::string &message, int line = -1) const
    {
        throw ServersFileError(m_name, line < 0 ? m_line : line, message);
    }

    std::string m_name;
    ServersConfig m_config;
    int m_line = 0;
};

bool readableByOthers(const struct stat &status)
{
    return (status.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

std::string readPasswordFile(const std::string &servers, const ServerEntry &entry)
{
    std::filesystem::path path(entry.passwordFile);
    if (path.is_relative())
        path = std::filesystem::path(servers).parent_path() / path;
    struct stat status
    {
    };
    std::ifstream file(path);
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || !file)
        throw ServersFileError(servers, entry.line, "cannot read the password file " + path.string());
    if (readableByOthers(status))
        throw ServersFileError(servers, entry.line,
                               "the password file " + path.string() +
                                   " can be read by others; make it private (chmod 600)");
    std::string password;
    std::getline(file, password);
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    if (password.size() > kMaxPassword)
        throw ServersFileError(servers, entry.line, "the password in " + path.string() + " is too long");
    return password;
}

} // namespace

std::size_t ServersConfig::PrimaryIndex() const
{
    const auto marked = std::ranges::find_if(servers, &ServerEntry::primary);
    return marked == servers.end() ? 0 : std::size_t(marked - servers.begin());
}

ServersFileError::ServersFileError(std::string file, int line, const std::string &message)
    : std::runtime_error(message), m_file(std::move(file)), m_line(line)
{}

ServersConfig ServersFile::Read(const std::string &path)
{
    struct stat status
    {
    };
    std::ifstream file(path);
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || !file)
        throw ServersFileError(path, 0, "cannot read the file");
    if (std::uintmax_t(status.st_size) > kMaxFileSize)
        throw ServersFileError(path, 0, "the file is larger than 1 MiB");
    ServersConfig config = Parse(file, path);
    const bool secrets = std::ranges::any_of(config.servers, [](const ServerEntry &entry) {
        return !entry.password.empty() || !entry.passwordFile.empty();
    });
    if (secrets && readableByOthers(status))
        throw ServersFileError(path, 0,
                               "the file holds a password but can be read by others; make it private "
                               "(chmod 600)");
    for (ServerEntry &entry : config.servers)
        if (!entry.passwordFile.empty())
            entry.password = readPasswordFile(path, entry);
    return config;
}

ServersConfig ServersFile::Parse(std::istream &input, const std::string &name)
{
    return Parser(name).Parse(input);
}

std::string ServersFile::DefaultPath()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/')
        return std::string(config) + "/sembrolin/servers";
    const char *home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/sembrolin/servers";
}

} // namespace ncp
