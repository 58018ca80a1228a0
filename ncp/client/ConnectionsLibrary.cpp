// The connection library: thin entry points over the shared client. Everything here is hidden except the
// contract's entry points.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "ncp/Client.h"

using ncp::Client;

uint32_t NWAPI NWCCGetPrimConnRef(uint32_t *connRef)
{
    return Client::Instance().GetPrimConnRef(connRef);
}

uint32_t NWAPI NWCCOpenConnByRef(uint32_t connRef, uint32_t, uint32_t, uint32_t *conn)
{
    return Client::Instance().OpenConnByRef(connRef, conn);
}

uint32_t NWAPI NWCCGetConnInfo(uint32_t conn, uint32_t infoType, uint32_t bufferLength, void *buffer)
{
    return Client::Instance().GetConnInfo(conn, infoType, bufferLength, buffer);
}

uint32_t NWAPI NWCCScanConnRefs(uint32_t *iterator, uint32_t *connRef)
{
    return Client::Instance().ScanConnRefs(iterator, connRef);
}

uint32_t NWAPI NWCCGetAllConnRefInfo(uint32_t connRef, uint32_t infoVersion, uint8_t *info)
{
    return Client::Instance().GetAllConnRefInfo(connRef, infoVersion, info);
}

uint32_t NWAPI NWCCOpenConnByName(uint32_t, const char *name, uint32_t, uint32_t, uint32_t, uint32_t *conn)
{
    return Client::Instance().OpenConnByName(name, conn);
}

uint32_t NWAPI NWCCSetPrefServerName(const char *name)
{
    return Client::Instance().SetPrefServerName(name);
}
