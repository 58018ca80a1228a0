#include "nwsim/ScenarioError.h"

namespace nwsim {

ScenarioError::ScenarioError(int line, const std::string &message) : std::runtime_error(message), m_line(line)
{}

} // namespace nwsim
