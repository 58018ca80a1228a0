#pragma once

#include <cstdint>

#include <QChar>
#include <QDate>
#include <QString>

#include "netware/NWEntryPoint.h"
#include "netware/NWResultCodes.h"
#include "netware/NWServerList.h"
#include "netware/NWUnit.h"
#include "netware/nwclient.h"
#include "runtime/LibraryLoader.h"

// The calls and connection libraries, and the layer's questions about connections and the servers behind
// them. Constructing TNWLib loads both libraries and readies the client.
class TNWLib : public TNWUnit<TNWLib>
{
public:
    struct State
    {
        TLibraryLoader::Handle calls = nullptr;
        TLibraryLoader::Handle connections = nullptr;
        TNWResultCodes codes;
        // 0 = empty; filled when the client is readied.
        uint32_t primaryConnection = 0;
        bool directoryMode = false;

        // A slot for every entry point of both libraries, under the entry point's name.
#define NW_CALLS_SLOT(name) NW_ENTRY_POINT(name, calls)
#define NW_CONNECTIONS_SLOT(name) NW_ENTRY_POINT(name, connections)
        NW_CALLS_ENTRY_POINTS(NW_CALLS_SLOT)
        NW_CONNECTIONS_ENTRY_POINTS(NW_CONNECTIONS_SLOT)
#undef NW_CALLS_SLOT
#undef NW_CONNECTIONS_SLOT
    };

    TNWLib();
    TNWLib(const TNWLib &) = delete;
    TNWLib &operator=(const TNWLib &) = delete;
};

// The version of the layer's client binding, shown beside the component's own.
inline constexpr char kNWLibraryVersion[] = "3.34 - 11 Oct 1997";

// 0 stands for the primary connection wherever the layer takes a connection handle.
uint32_t ResolveConnection(uint32_t conn);
uint32_t GetPrimaryConnection();
bool ClientAvailable();
uint16_t GetConnectionNumber(uint32_t conn);
QString GetLoginName(uint32_t conn);
uint32_t LongSwap(uint32_t value);

TNWServerList GetServerList();
// "LOCAL" when the connection's server cannot be named.
QString GetConnectionServerName(uint32_t conn);
// An object ID in upper-case hexadecimal without leading zeros ("0" for 0).
QString IDText(uint32_t id);

// Rights on a connection.
bool HasConsolePrivileges(uint32_t conn);
bool CheckManager(uint32_t conn);

// Workstation settings.
uint16_t GetBroadcastState(uint32_t conn);
// Here a connection of 0 is passed on as it is.
bool SetBroadcastState(uint32_t conn, uint16_t mode);
// The mode before; 0 when it cannot be set.
uint8_t SetShellErrorMode(uint8_t mode);
uint16_t GetMaximumConnections();
// Drive letters, character 0 for none.
QChar GetFirstDriveLetter();
QChar GetNextFreeDriveLetter();

// Today's date when the server's clock cannot be read; raises EDateConversionError for a date that does
// not exist.
QDate GetServerDate(uint32_t conn);
