#pragma once

#include <cstdint>

#include <QDateTime>
#include <QString>

#include "netware/NWResultCodes.h"
#include "netware/NWServerInfo.h"
#include "netware/NWServerStats.h"
#include "netware/NWUnit.h"

// The file-server queries a monitor asks on every tick: which connection reaches a server, and what the
// server's statistics, identity and clock are. Their entry points live with the calls and connection
// libraries; this unit keeps its own completion codes.
class TNWServer : public TNWUnit<TNWServer>
{
public:
    struct State
    {
        TNWResultCodes codes;
    };
};

// A connection to the server of that name, looked up in upper case; 0 when it cannot be reached. Nobody
// closes the handle: callers ask again on every use.
uint32_t ConnectionByName(const QString &name);
bool GetServerStats(uint32_t conn, TNWServerStats &record);
bool GetServerInformation(uint32_t conn, TNWServerInfo &info);
bool SetServerDateTime(uint32_t conn, const QDateTime &value);
