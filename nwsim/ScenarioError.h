#pragma once

#include <stdexcept>
#include <string>

namespace nwsim {

// A scenario line that cannot be understood; the line number lets the client point at it.
class ScenarioError : public std::runtime_error
{
public:
    ScenarioError(int line, const std::string &message);

    int Line() const { return m_line; }

private:
    int m_line;
};

} // namespace nwsim
