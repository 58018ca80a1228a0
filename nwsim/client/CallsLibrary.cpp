// The calls library: thin entry points over the shared simulated client.
// Everything here is hidden except the contract's entry points.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "nwsim/Network.h"
#include "nwsim/Text.h"

using nwsim::Network;

uint32_t NWAPI NWCallsInit(uint32_t *, uint32_t *)
{
    return Network::Instance().CallsInit();
}

uint32_t NWAPI NWGetPrimaryConnectionID(uint32_t *conn)
{
    return Network::Instance().GetPrimaryConnectionID(conn);
}

uint32_t NWAPI NWGetConnectionNumber(uint32_t conn, uint16_t *number)
{
    return Network::Instance().GetConnectionNumber(conn, number);
}

uint32_t NWAPI NWGetConnectionInformation(uint32_t conn, uint16_t number, char *name, uint16_t *objectType,
                                          uint32_t *objectID, uint8_t *loginTime)
{
    return Network::Instance().GetConnectionInformation(conn, number, name, objectType, objectID, loginTime);
}

uint32_t NWAPI NWGetConnectionList(uint16_t mode, uint16_t *list, uint16_t listSize, uint16_t *count)
{
    return Network::Instance().GetConnectionList(mode, list, listSize, count);
}

uint32_t NWAPI NWGetFileServerName(uint32_t conn, char *name)
{
    return Network::Instance().GetFileServerName(conn, name);
}

uint32_t NWAPI NWGetConnectionHandle(const char *name, uint16_t, uint32_t *conn, uint16_t *)
{
    return Network::Instance().GetConnectionHandle(name, conn);
}

uint32_t NWAPI NWGetFileServerInfo(uint32_t conn, uint8_t *record)
{
    return Network::Instance().GetFileServerInfo(conn, record);
}

uint32_t NWAPI NWGetFileServerInformation(uint32_t conn, char *name, uint8_t *majorVersion,
                                          uint8_t *minorVersion, uint8_t *revision, uint16_t *maxConnections,
                                          uint16_t *maxConnectionsUsed, uint16_t *connectionsInUse,
                                          uint16_t *volumes, uint8_t *sftLevel, uint8_t *ttsLevel)
{
    return Network::Instance().GetFileServerInformation(conn, name, majorVersion, minorVersion, revision,
                                                        maxConnections, maxConnectionsUsed, connectionsInUse,
                                                        volumes, sftLevel, ttsLevel);
}

uint32_t NWAPI NWGetFileServerDateAndTime(uint32_t conn, uint8_t *dateTime)
{
    return Network::Instance().GetFileServerDateAndTime(conn, dateTime);
}

uint32_t NWAPI NWSetFileServerDateAndTime(uint32_t conn, uint8_t year, uint8_t month, uint8_t day,
                                          uint8_t hour, uint8_t minute, uint8_t second)
{
    const uint8_t dateTime[] = {year, month, day, hour, minute, second};
    return Network::Instance().SetFileServerDateAndTime(conn, dateTime);
}

uint32_t NWAPI NWGetMaximumConnections(uint32_t *count)
{
    return Network::Instance().Station().GetMaximumConnections(count);
}

uint32_t NWAPI NWCheckConsolePrivileges(uint32_t conn)
{
    return Network::Instance().CheckConsolePrivileges(conn);
}

uint32_t NWAPI NWIsManager(uint32_t conn)
{
    return Network::Instance().IsManager(conn);
}

uint32_t NWAPI NWGetFirstDrive(uint16_t *drive)
{
    return Network::Instance().Station().GetFirstDrive(drive);
}

uint32_t NWAPI NWSetPrimaryConnectionID(uint32_t conn)
{
    return Network::Instance().SetPrimaryConnectionID(conn);
}

uint32_t NWAPI NWGetObjectID(uint32_t conn, const char *objectName, uint16_t objectType, uint32_t *objectID)
{
    return Network::Instance().GetObjectID(conn, objectName, objectType, objectID);
}

uint32_t NWAPI NWReadPropertyValue(uint32_t conn, const char *objectName, uint16_t objectType,
                                   const char *propertyName, uint8_t segment, uint8_t *segmentData,
                                   uint8_t *moreSegments, uint8_t *flags)
{
    return Network::Instance().ReadPropertyValue(conn, objectName, objectType, propertyName, segment,
                                                 segmentData, moreSegments, flags);
}

uint32_t NWAPI NWGetDriveStatus(uint16_t drive, uint16_t pathFormat, uint16_t *status, uint32_t *conn,
                                char *rootPath, char *relativePath, char *fullPath)
{
    return Network::Instance().Station().GetDriveStatus(drive, pathFormat, status, conn, rootPath,
                                                        relativePath, fullPath);
}

uint32_t NWAPI NWSetBroadcastMode(uint32_t conn, uint16_t mode)
{
    return Network::Instance().SetBroadcastMode(conn, mode);
}

uint32_t NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t *previousMode)
{
    return Network::Instance().Station().SetErrorMode(mode, previousMode);
}

uint32_t NWAPI NWLongSwap(uint32_t value)
{
    return nwsim::text::SwapBytes(value);
}
