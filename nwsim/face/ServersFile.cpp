#include "nwsim/face/ServersFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace nwsim::servers {

std::string FileText(const Scenario &scenario, const std::vector<FaceLoop::Listener> &listeners)
{
    const std::string user = scenario.BinderyUser();
    std::string text;
    for (std::size_t i = 0; i < listeners.size() && i < scenario.servers.size(); ++i) {
        text += "server " + listeners[i].address + " user=" + user;
        const auto &passwords = scenario.servers[i].passwords;
        if (const auto password = passwords.find(user); password != passwords.end()) {
            text += " password=" + password->second;
        }
        text += "\n";
    }
    return text;
}

void WritePrivately(const std::string &path, const std::string &text)
{
    const std::string temporary = path + ".partial";
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        throw std::runtime_error("cannot write " + temporary + ": " + std::strerror(errno));
    }
    // A file left from before keeps its mode through O_TRUNC.
    bool written = ::fchmod(descriptor, 0600) == 0 &&
                   ::write(descriptor, text.data(), text.size()) == ssize_t(text.size());
    written = ::close(descriptor) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(error));
    }
}

} // namespace nwsim::servers
