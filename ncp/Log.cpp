#include "ncp/Log.h"

#include <cstdio>

namespace ncp {

void Log(const std::string &message)
{
    std::fprintf(stderr, "sembrolin-ncp: %s\n", message.c_str());
}

} // namespace ncp
