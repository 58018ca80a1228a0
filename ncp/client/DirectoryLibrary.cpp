// The directory library. This client speaks the bindery only: it can tell a directory server by its tree,
// and every other directory call answers "not supported", so the monitor keeps to its bindery paths.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "ncp/Client.h"
#include "ncp/Codes.h"

using ncp::codes::kNotSupported;

// Contexts are handles, 0 for none: without one the monitor starts no directory services.
uint32_t NWAPI NWDSCreateContext(void)
{
    return 0;
}

uint32_t NWAPI NWDSDuplicateContext(uint32_t)
{
    return 0;
}

uint32_t NWAPI NWDSDuplicateContextHandle(uint32_t, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSFreeContext(uint32_t)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSSetContext(uint32_t, uint32_t, const void *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetContext(uint32_t, uint32_t, void *)
{
    return kNotSupported;
}

// A failed allocation hands out no buffer, so there is nothing for the caller to free.
uint32_t NWAPI NWDSAllocBuf(uint32_t, NWDSBuf *buffer)
{
    if (buffer != nullptr)
        *buffer = nullptr;
    return kNotSupported;
}

uint32_t NWAPI NWDSInitBuf(uint32_t, uint32_t, NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSFreeBuf(NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSPutAttrName(uint32_t, NWDSBuf, const char *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSPutAttrVal(uint32_t, NWDSBuf, uint32_t, const void *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetAttrName(uint32_t, NWDSBuf, char *, uint32_t *, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetAttrVal(uint32_t, NWDSBuf, uint32_t, void *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetAttrCount(uint32_t, NWDSBuf, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSPutChange(uint32_t, NWDSBuf, uint32_t, const char *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSModifyObject(uint32_t, const char *, int32_t *, uint8_t, NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSComputeAttrValSize(uint32_t, NWDSBuf, uint32_t, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSRead(uint32_t, const char *, uint32_t, uint8_t, NWDSBuf, int32_t *, NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSRemoveObject(uint32_t, const char *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGenerateObjectKeyPair(uint32_t, const char *, const char *, uint32_t)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetObjectName(uint32_t, NWDSBuf, char *, uint32_t *, void *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSGetObjectCount(uint32_t, NWDSBuf, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSAddObject(uint32_t, const char *, int32_t *, uint8_t, NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSList(uint32_t, const char *, int32_t *, NWDSBuf)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSOpenStream(uint32_t, const char *, const char *, uint32_t, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSWhoAmI(uint32_t, char *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSCanonicalizeName(uint32_t, const char *, char *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSMapNameToID(uint32_t, uint32_t, const char *, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWDSAuditGetObjectID(uint32_t, const char *, uint32_t *, uint32_t *)
{
    return kNotSupported;
}

uint32_t NWAPI NWIsDSServer(uint32_t conn, char *treeName)
{
    return ncp::Client::Instance().IsDSServer(conn, treeName);
}
