// The directory library: thin entry points over the shared simulated client.
// Everything here is hidden except the contract's entry points.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "nwsim/Network.h"
#include "nwsim/Text.h"

using nwsim::Network;

namespace {

// Change entries go into a buffer as attribute names carrying the change type; a plain name is an addition.
constexpr uint32_t kPlainAttribute = 0;

nwsim::Directory &directory()
{
    return Network::Instance().Dir();
}

} // namespace

uint32_t NWAPI NWDSCreateContext(void)
{
    return directory().CreateContext();
}

uint32_t NWAPI NWDSFreeContext(uint32_t context)
{
    return directory().FreeContext(context);
}

uint32_t NWAPI NWDSDuplicateContext(uint32_t context)
{
    return directory().DuplicateContext(context);
}

uint32_t NWAPI NWDSDuplicateContextHandle(uint32_t context, uint32_t *newContext)
{
    return directory().DuplicateContextHandle(context, newContext);
}

uint32_t NWAPI NWDSSetContext(uint32_t context, uint32_t key, const void *value)
{
    return directory().SetContext(context, key, value);
}

uint32_t NWAPI NWDSGetContext(uint32_t context, uint32_t key, void *value)
{
    return directory().GetContext(context, key, value);
}

uint32_t NWAPI NWDSAllocBuf(uint32_t size, NWDSBuf *buffer)
{
    return directory().AllocBuf(size, buffer);
}

uint32_t NWAPI NWDSInitBuf(uint32_t context, uint32_t operation, NWDSBuf buffer)
{
    return directory().InitBuf(context, operation, buffer);
}

uint32_t NWAPI NWDSFreeBuf(NWDSBuf buffer)
{
    return directory().FreeBuf(buffer);
}

uint32_t NWAPI NWDSPutAttrName(uint32_t context, NWDSBuf buffer, const char *attributeName)
{
    return directory().PutAttrName(context, buffer, attributeName, kPlainAttribute);
}

uint32_t NWAPI NWDSPutAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, const void *value)
{
    return directory().PutAttrVal(context, buffer, syntax, value);
}

uint32_t NWAPI NWDSGetAttrName(uint32_t context, NWDSBuf buffer, char *attributeName, uint32_t *valueCount,
                               uint32_t *syntax)
{
    return directory().GetAttrName(context, buffer, attributeName, valueCount, syntax);
}

uint32_t NWAPI NWDSGetAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, void *value)
{
    return directory().GetAttrVal(context, buffer, syntax, value);
}

uint32_t NWAPI NWDSGetAttrCount(uint32_t context, NWDSBuf buffer, uint32_t *count)
{
    return directory().GetAttrCount(context, buffer, count);
}

uint32_t NWAPI NWDSPutChange(uint32_t context, NWDSBuf buffer, uint32_t changeType, const char *attributeName)
{
    return directory().PutAttrName(context, buffer, attributeName, changeType);
}

// Every change fits one request here, so there is never a further part to iterate over.
uint32_t NWAPI NWDSModifyObject(uint32_t context, const char *objectName, int32_t *iterationHandle, uint8_t,
                                NWDSBuf changes)
{
    nwsim::text::PutIfWanted(iterationHandle, -1);
    return directory().ModifyObject(context, objectName, changes);
}

uint32_t NWAPI NWDSComputeAttrValSize(uint32_t context, NWDSBuf buffer, uint32_t syntax, uint32_t *size)
{
    return directory().ComputeAttrValSize(context, buffer, syntax, size);
}

uint32_t NWAPI NWDSRead(uint32_t context, const char *objectName, uint32_t infoType, uint8_t allAttributes,
                        NWDSBuf attributeNames, int32_t *iterationHandle, NWDSBuf objectInfo)
{
    return directory().Read(context, objectName, infoType, allAttributes != 0, attributeNames,
                            iterationHandle, objectInfo);
}

uint32_t NWAPI NWDSRemoveObject(uint32_t context, const char *objectName)
{
    return directory().RemoveObject(context, objectName);
}

uint32_t NWAPI NWDSGenerateObjectKeyPair(uint32_t context, const char *objectName, const char *password,
                                         uint32_t)
{
    return directory().GenerateKeyPair(context, objectName, password);
}

// The object information record is not filled: the simulated tree keeps no per-object flags for it.
uint32_t NWAPI NWDSGetObjectName(uint32_t context, NWDSBuf buffer, char *objectName, uint32_t *attributeCount,
                                 void *)
{
    return directory().GetObjectName(context, buffer, objectName, attributeCount);
}

uint32_t NWAPI NWDSGetObjectCount(uint32_t context, NWDSBuf buffer, uint32_t *count)
{
    return directory().GetObjectCount(context, buffer, count);
}

uint32_t NWAPI NWDSAddObject(uint32_t context, const char *objectName, int32_t *iterationHandle, uint8_t,
                             NWDSBuf objectInfo)
{
    nwsim::text::PutIfWanted(iterationHandle, -1);
    return directory().AddObject(context, objectName, objectInfo);
}

uint32_t NWAPI NWDSList(uint32_t context, const char *objectName, int32_t *iterationHandle,
                        NWDSBuf subordinates)
{
    return directory().List(context, objectName, iterationHandle, subordinates);
}

uint32_t NWAPI NWDSOpenStream(uint32_t context, const char *objectName, const char *attributeName, uint32_t,
                              uint32_t *fileHandle)
{
    return directory().OpenStream(context, objectName, attributeName, fileHandle);
}

uint32_t NWAPI NWDSWhoAmI(uint32_t context, char *name)
{
    return directory().WhoAmI(context, name);
}

uint32_t NWAPI NWDSCanonicalizeName(uint32_t context, const char *name, char *canonicalName)
{
    return directory().CanonicalizeName(context, name, canonicalName);
}

uint32_t NWAPI NWDSMapNameToID(uint32_t context, uint32_t conn, const char *objectName, uint32_t *objectID)
{
    return Network::Instance().MapNameToID(context, conn, objectName, objectID);
}

uint32_t NWAPI NWDSAuditGetObjectID(uint32_t context, const char *objectName, uint32_t *conn,
                                    uint32_t *objectID)
{
    return Network::Instance().AuditGetObjectID(context, objectName, conn, objectID);
}

uint32_t NWAPI NWIsDSServer(uint32_t conn, char *treeName)
{
    return Network::Instance().IsDSServer(conn, treeName);
}
