#pragma once

#include <string>
#include <vector>

#include "nwsim/Scenario.h"
#include "nwsim/face/FaceLoop.h"

// The servers file that tells a client of ours where the face's servers listen and whom to log in as.
namespace nwsim::servers {

// One line a server, in the scenario's order: its address, the login's bindery user and, where the scenario
// gives that user a password on the server, the password.
std::string FileText(const Scenario &scenario, const std::vector<FaceLoop::Listener> &listeners);
// Writes the whole text or nothing (a temporary file renamed over the path), readable by its owner alone,
// as it may hold passwords. Throws std::runtime_error.
void WritePrivately(const std::string &path, const std::string &text);

} // namespace nwsim::servers
