#pragma once

#include <cstdint>

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

        NW_ENTRY_POINT(NWCallsInit, Calls);
        NW_ENTRY_POINT(NWGetPrimaryConnectionID, Calls);
        NW_ENTRY_POINT(NWGetConnectionNumber, Calls);
        NW_ENTRY_POINT(NWGetConnectionInformation, Calls);
        NW_ENTRY_POINT(NWGetConnectionList, Calls);
        NW_ENTRY_POINT(NWGetFileServerName, Calls);
        NW_ENTRY_POINT(NWGetConnectionHandle, Calls);
        NW_ENTRY_POINT(NWGetFileServerInfo, Calls);
        NW_ENTRY_POINT(NWGetFileServerInformation, Calls);
        NW_ENTRY_POINT(NWGetFileServerDateAndTime, Calls);
        NW_ENTRY_POINT(NWSetFileServerDateAndTime, Calls);
        NW_ENTRY_POINT(NWLongSwap, Calls);
        NW_ENTRY_POINT(NWCCGetPrimConnRef, Connections);
        NW_ENTRY_POINT(NWCCOpenConnByRef, Connections);
        NW_ENTRY_POINT(NWCCGetConnInfo, Connections);
        NW_ENTRY_POINT(NWCCScanConnRefs, Connections);
        NW_ENTRY_POINT(NWCCGetAllConnRefInfo, Connections);
        NW_ENTRY_POINT(NWCCOpenConnByName, Connections);
    };

    TNWLib();
    TNWLib(const TNWLib &) = delete;
    TNWLib &operator=(const TNWLib &) = delete;
};

// The version of the layer's client binding, shown beside the component's own.
inline constexpr char NWLibraryVersion[] = "3.34 - 11 Oct 1997";

// 0 stands for the primary connection wherever the layer takes a connection handle.
uint32_t ResolveConnection(uint32_t conn);
uint32_t GetPrimaryConnection();
bool ClientAvailable();
uint16_t GetConnectionNumber(uint32_t conn);
QString GetLoginName(uint32_t conn);
uint32_t LongSwap(uint32_t value);

// The caller owns the list.
TNWServerList GetServerList();
// "LOCAL" when the connection's server cannot be named.
QString GetConnectionServerName(uint32_t conn);
// Today's date when the server's clock cannot be read; raises EDateConversionError for a date that does
// not exist.
QDate GetServerDate(uint32_t conn);
