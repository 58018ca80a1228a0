#pragma once

#include <string>

namespace ncp {

// One line on standard error for the administrator: connections made, lost and refused. Never a password.
void Log(const std::string &message);

} // namespace ncp
