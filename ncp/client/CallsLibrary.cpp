// The calls library: thin entry points over the shared client. Everything here is hidden except the
// contract's entry points.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "ncp/Client.h"
#include "ncp/Codes.h"

using ncp::Client;

uint32_t NWAPI NWCallsInit(uint32_t *, uint32_t *)
{
    return Client::Instance().CallsInit();
}

uint32_t NWAPI NWGetPrimaryConnectionID(uint32_t *conn)
{
    return Client::Instance().GetPrimaryConnectionID(conn);
}

uint32_t NWAPI NWGetConnectionNumber(uint32_t conn, uint16_t *number)
{
    return Client::Instance().GetConnectionNumber(conn, number);
}

uint32_t NWAPI NWGetConnectionInformation(uint32_t conn, uint16_t number, char *name, uint16_t *objectType,
                                          uint32_t *objectID, uint8_t *loginTime)
{
    return Client::Instance().GetConnectionInformation(conn, number, name, objectType, objectID, loginTime);
}

uint32_t NWAPI NWGetConnectionList(uint16_t mode, uint16_t *list, uint16_t listSize, uint16_t *count)
{
    return Client::Instance().GetConnectionList(mode, list, listSize, count);
}

uint32_t NWAPI NWGetFileServerName(uint32_t conn, char *name)
{
    return Client::Instance().GetFileServerName(conn, name);
}

uint32_t NWAPI NWGetConnectionHandle(const char *name, uint16_t, uint32_t *conn, uint16_t *)
{
    return Client::Instance().GetConnectionHandle(name, conn);
}

uint32_t NWAPI NWGetFileServerInfo(uint32_t conn, uint8_t *record)
{
    return Client::Instance().GetFileServerInfo(conn, record);
}

uint32_t NWAPI NWGetFileServerInformation(uint32_t conn, char *name, uint8_t *majorVersion,
                                          uint8_t *minorVersion, uint8_t *revision, uint16_t *maxConnections,
                                          uint16_t *maxConnectionsUsed, uint16_t *connectionsInUse,
                                          uint16_t *volumes, uint8_t *sftLevel, uint8_t *ttsLevel)
{
    return Client::Instance().GetFileServerInformation(conn, name, majorVersion, minorVersion, revision,
                                                       maxConnections, maxConnectionsUsed, connectionsInUse,
                                                       volumes, sftLevel, ttsLevel);
}

uint32_t NWAPI NWGetFileServerDateAndTime(uint32_t conn, uint8_t *dateTime)
{
    return Client::Instance().GetFileServerDateAndTime(conn, dateTime);
}

uint32_t NWAPI NWSetFileServerDateAndTime(uint32_t conn, uint8_t year, uint8_t month, uint8_t day,
                                          uint8_t hour, uint8_t minute, uint8_t second)
{
    const uint8_t dateTime[] = {year, month, day, hour, minute, second};
    return Client::Instance().SetFileServerDateAndTime(conn, dateTime);
}

uint32_t NWAPI NWGetMaximumConnections(uint32_t *count)
{
    return Client::Instance().GetMaximumConnections(count);
}

uint32_t NWAPI NWCheckConsolePrivileges(uint32_t conn)
{
    return Client::Instance().CheckConsolePrivileges(conn);
}

uint32_t NWAPI NWIsManager(uint32_t conn)
{
    return Client::Instance().IsManager(conn);
}

// Drives, properties: not what a connection over the network gives; the monitor's neutral results follow.
uint32_t NWAPI NWGetFirstDrive(uint16_t *)
{
    return ncp::codes::kNotSupported;
}

uint32_t NWAPI NWSetPrimaryConnectionID(uint32_t conn)
{
    return Client::Instance().SetPrimaryConnectionID(conn);
}

uint32_t NWAPI NWGetObjectID(uint32_t conn, const char *objectName, uint16_t objectType, uint32_t *objectID)
{
    return Client::Instance().GetObjectID(conn, objectName, objectType, objectID);
}

uint32_t NWAPI NWReadPropertyValue(uint32_t, const char *, uint16_t, const char *, uint8_t, uint8_t *,
                                   uint8_t *, uint8_t *)
{
    return ncp::codes::kNotSupported;
}

uint32_t NWAPI NWGetDriveStatus(uint16_t, uint16_t, uint16_t *, uint32_t *, char *, char *, char *)
{
    return ncp::codes::kNotSupported;
}

uint32_t NWAPI NWSetBroadcastMode(uint32_t conn, uint16_t mode)
{
    return Client::Instance().SetBroadcastMode(conn, mode);
}

uint32_t NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t *previousMode)
{
    return Client::Instance().SetErrorMode(mode, previousMode);
}

uint32_t NWAPI NWLongSwap(uint32_t value)
{
    return __builtin_bswap32(value);
}
