#pragma once

#include <cstdint>
#include <vector>

#include <QString>

// One server of the workstation's connection list with the value the client attached to it: a connection
// number, or a connection handle when the list came from the older calls.
struct TNWServerEntry
{
    QString name;
    uint32_t value = 0;
};

// In the client's order, duplicates kept: a server reached by two connections is listed twice.
using TNWServerList = std::vector<TNWServerEntry>;
