#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "netware/nwclient.h"
#include "nwsim/DsBuffer.h"
#include "nwsim/DsTree.h"
#include "nwsim/Scenario.h"

namespace nwsim {

// Directory services of the simulated client: contexts, request buffers and the operations on the tree.
// Contexts and buffers are checked on every use, so a stale or invented one gives a code, never a crash.
class Directory
{
public:
    explicit Directory(const Scenario &scenario);

    std::uint32_t CreateContext();
    std::uint32_t FreeContext(std::uint32_t context);
    std::uint32_t DuplicateContext(std::uint32_t context);
    std::uint32_t DuplicateContextHandle(std::uint32_t context, std::uint32_t *newContext);
    std::uint32_t SetContext(std::uint32_t context, std::uint32_t key, const void *value);
    std::uint32_t GetContext(std::uint32_t context, std::uint32_t key, void *value);

    std::uint32_t AllocBuf(std::uint32_t size, NWDSBuf *buffer);
    std::uint32_t InitBuf(std::uint32_t context, std::uint32_t operation, NWDSBuf buffer);
    std::uint32_t FreeBuf(NWDSBuf buffer);
    std::uint32_t PutAttrName(std::uint32_t context, NWDSBuf buffer, const char *name,
                              std::uint32_t changeType);
    std::uint32_t PutAttrVal(std::uint32_t context, NWDSBuf buffer, std::uint32_t syntax, const void *value);
    std::uint32_t GetAttrCount(std::uint32_t context, NWDSBuf buffer, std::uint32_t *count);
    std::uint32_t GetAttrName(std::uint32_t context, NWDSBuf buffer, char *name, std::uint32_t *valueCount,
                              std::uint32_t *syntax);
    std::uint32_t GetAttrVal(std::uint32_t context, NWDSBuf buffer, std::uint32_t syntax, void *value);
    std::uint32_t ComputeAttrValSize(std::uint32_t context, NWDSBuf buffer, std::uint32_t syntax,
                                     std::uint32_t *size);
    std::uint32_t GetObjectCount(std::uint32_t context, NWDSBuf buffer, std::uint32_t *count);
    std::uint32_t GetObjectName(std::uint32_t context, NWDSBuf buffer, char *name,
                                std::uint32_t *attributeCount);

    std::uint32_t Read(std::uint32_t context, const char *object, std::uint32_t infoType, bool allAttributes,
                       NWDSBuf names, std::int32_t *iteration, NWDSBuf reply);
    std::uint32_t List(std::uint32_t context, const char *object, std::int32_t *iteration, NWDSBuf reply);
    std::uint32_t AddObject(std::uint32_t context, const char *object, NWDSBuf attributes);
    std::uint32_t ModifyObject(std::uint32_t context, const char *object, NWDSBuf changes);
    std::uint32_t RemoveObject(std::uint32_t context, const char *object);
    std::uint32_t GenerateKeyPair(std::uint32_t context, const char *object, const char *password);
    std::uint32_t OpenStream(std::uint32_t context, const char *object, const char *attribute,
                             std::uint32_t *fileHandle);
    std::uint32_t WhoAmI(std::uint32_t context, char *name);
    std::uint32_t CanonicalizeName(std::uint32_t context, const char *name, char *canonicalName);
    std::uint32_t ObjectID(std::uint32_t context, const char *object, std::uint32_t *id);

private:
    struct Context
    {
        std::uint32_t flags = 0;
        std::string name;
    };

    Context *context(std::uint32_t handle);
    DsBuffer *buffer(NWDSBuf handle);
    DsBuffer *buffer(std::uint32_t context, NWDSBuf handle);
    DsObject *object(std::uint32_t context, const char *name);
    std::uint32_t addContext(Context context);
    std::string presented(const Context &context, const std::string &name) const;
    std::uint32_t applyChange(DsObject &object, const DsAttribute &change);

    DsTree m_tree;
    std::string m_login;
    std::map<std::uint32_t, Context> m_contexts;
    std::uint32_t m_nextContext = 1;
    std::map<const void *, std::unique_ptr<DsBuffer>> m_buffers;
    std::uint32_t m_nextStream = 1;
};

} // namespace nwsim
