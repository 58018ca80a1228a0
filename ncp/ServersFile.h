#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ncp {

inline constexpr std::uint16_t kNcpPort = 524;

// One "server" line: where the server listens and whom to log in as. The server's own name comes from
// the server itself once connected.
struct ServerEntry
{
    std::string host;
    std::uint16_t port = kNcpPort;
    // Empty: no login, the connection stays anonymous.
    std::string user;
    std::string password;
    // A file whose first line is the password, as the line named it; Read puts its password in place.
    std::string passwordFile;
    bool primary = false;
    int line = 0;
};

struct ServersConfig
{
    std::vector<ServerEntry> servers;
    // Empty: no trace.
    std::string tracePath;

    // The primary server's index: the one marked, else the first.
    std::size_t PrimaryIndex() const;
};

// What is wrong with a servers file, where. The text never quotes a password.
class ServersFileError : public std::runtime_error
{
public:
    ServersFileError(std::string file, int line, const std::string &message);

    const std::string &File() const { return m_file; }
    // 0 when the fault is the file's as a whole.
    int Line() const { return m_line; }

private:
    std::string m_file;
    int m_line;
};

// Reads the servers file:
//   server HOST[:PORT] [user=NAME] [password=TEXT | password-file=PATH] [primary]
//   trace FILE
// one statement a line, '#' starts a comment; an IPv6 address is written in brackets ([::1]:524).
class ServersFile
{
public:
    // The file, and the password files it names, read and checked: a file that holds a password (or names
    // a password file) must not be readable by group or others, nor may a password file.
    static ServersConfig Read(const std::string &path);
    // The statements alone; password files are not read.
    static ServersConfig Parse(std::istream &input, const std::string &name = "servers");

    // Where the program looks without being told: $XDG_CONFIG_HOME/sembrolin/servers, or
    // ~/.config/sembrolin/servers.
    static std::string DefaultPath();
};

} // namespace ncp
