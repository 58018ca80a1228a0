#include "tests/netware/FakeClient.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace {

TFakeClient *s_active = nullptr;

TFakeClient &fake()
{
    return TFakeClient::Active();
}

// The scripted code of an entry point, counting the call.
uint32_t answer(const char *entryPoint)
{
    fake().Called(entryPoint);
    return fake().Code(entryPoint);
}

void copyText(const std::string &text, char *buffer, std::size_t size)
{
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void putUInt32(uint8_t *record, std::size_t offset, uint32_t value)
{
    std::memcpy(record + offset, &value, sizeof value);
}

// A library's handle is the address of its name, so a look-up in the wrong library finds nothing.
TLibraryLoader::Handle libraryHandle(const char *fileName)
{
    static const std::map<std::string, std::string> names{
        {NW_LIB_CALLS, NW_LIB_CALLS},
        {NW_LIB_CONNECTIONS, NW_LIB_CONNECTIONS},
        {NW_LIB_DIRECTORY, NW_LIB_DIRECTORY},
        {NW_LIB_LOCALE, NW_LIB_LOCALE},
    };
    return const_cast<std::string *>(&names.at(fileName));
}

// Calls library.
uint32_t NWAPI callsInit(uint32_t *, uint32_t *)
{
    return answer("NWCallsInit");
}

uint32_t NWAPI getPrimaryConnectionID(uint32_t *conn)
{
    *conn = fake().connections.front().handle;
    return answer("NWGetPrimaryConnectionID");
}

uint32_t NWAPI getConnectionNumber(uint32_t conn, uint16_t *number)
{
    const auto *connection = fake().Find(conn);
    *number = connection ? connection->number : 0;
    return connection ? answer("NWGetConnectionNumber") : NW_ERR_INVALID_CONNECTION;
}

uint32_t NWAPI getConnectionInformation(uint32_t, uint16_t, char *name, uint16_t *, uint32_t *, uint8_t *)
{
    copyText(fake().loginName, name, NW_NAME_BUFFER_SIZE);
    return answer("NWGetConnectionInformation");
}

uint32_t NWAPI getConnectionList(uint16_t mode, uint16_t *list, uint16_t listSize, uint16_t *count)
{
    fake().arguments["NWGetConnectionList"] = {mode, listSize};
    const auto &connections = fake().connections;
    for (std::size_t i = 0; i < std::min<std::size_t>(listSize, connections.size()); ++i)
        list[i] = uint16_t(connections[i].handle);
    const int scripted = fake().connectionListCount;
    *count = uint16_t(scripted >= 0 ? scripted : int(connections.size()));
    return answer("NWGetConnectionList");
}

uint32_t NWAPI getFileServerName(uint32_t conn, char *name)
{
    const auto *connection = fake().Find(conn);
    copyText(connection ? connection->server : std::string(), name, NW_NAME_BUFFER_SIZE);
    return connection ? answer("NWGetFileServerName") : NW_ERR_INVALID_CONNECTION;
}

uint32_t openByName(const char *entryPoint, const char *name, uint32_t *conn)
{
    fake().lastServerName = name;
    const auto *connection = fake().FindServer(name);
    *conn = connection ? connection->handle : 0;
    const uint32_t code = answer(entryPoint);
    return code ? code : connection ? NW_SUCCESS : NW_ERR_SERVER_UNKNOWN;
}

uint32_t NWAPI getConnectionHandle(const char *name, uint16_t reserved1, uint32_t *conn, uint16_t *reserved2)
{
    fake().arguments["NWGetConnectionHandle"] = {reserved1, reserved2 == nullptr};
    return openByName("NWGetConnectionHandle", name, conn);
}

uint32_t NWAPI getFileServerInfo(uint32_t conn, uint8_t *record)
{
    fake().lastConnection = conn;
    std::copy(fake().serverStats.begin(), fake().serverStats.end(), record);
    return answer("NWGetFileServerInfo");
}

uint32_t NWAPI getFileServerInformation(uint32_t conn, char *name, uint8_t *major, uint8_t *minor,
                                        uint8_t *revision, uint16_t *maxConnections, uint16_t *peakUsed,
                                        uint16_t *inUse, uint16_t *volumes, uint8_t *sft, uint8_t *tts)
{
    const auto *connection = fake().Find(conn);
    copyText(connection ? connection->server : std::string(), name, NW_NAME_BUFFER_SIZE);
    *major = fake().majorVersion;
    *minor = fake().minorVersion;
    *revision = 3;
    *maxConnections = 250;
    *peakUsed = 40;
    *inUse = 12;
    *volumes = 5;
    *sft = 2;
    *tts = 1;
    return answer("NWGetFileServerInformation");
}

uint32_t NWAPI getFileServerDateAndTime(uint32_t, uint8_t *dateTime)
{
    std::copy(fake().serverDate.begin(), fake().serverDate.end(), dateTime);
    return answer("NWGetFileServerDateAndTime");
}

uint32_t NWAPI setFileServerDateAndTime(uint32_t, uint8_t year, uint8_t month, uint8_t day, uint8_t hour,
                                        uint8_t minute, uint8_t second)
{
    fake().setDateTime = {year, month, day, hour, minute, second};
    return answer("NWSetFileServerDateAndTime");
}

uint32_t NWAPI getMaximumConnections(uint32_t *count)
{
    *count = fake().maximumConnections;
    return answer("NWGetMaximumConnections");
}

uint32_t NWAPI checkConsolePrivileges(uint32_t conn)
{
    fake().arguments["NWCheckConsolePrivileges"] = {conn};
    return answer("NWCheckConsolePrivileges");
}

uint32_t NWAPI isManager(uint32_t conn)
{
    fake().arguments["NWIsManager"] = {conn};
    return answer("NWIsManager");
}

uint32_t NWAPI getFirstDrive(uint16_t *drive)
{
    *drive = fake().firstDrive;
    return answer("NWGetFirstDrive");
}

uint32_t NWAPI setPrimaryConnectionID(uint32_t conn)
{
    fake().arguments["NWSetPrimaryConnectionID"] = {conn};
    return answer("NWSetPrimaryConnectionID");
}

uint32_t NWAPI getObjectID(uint32_t conn, const char *name, uint16_t type, uint32_t *id)
{
    fake().arguments["NWGetObjectID"] = {conn, type};
    fake().lastObjectName = name;
    const uint32_t code = answer("NWGetObjectID");
    const auto found = fake().binderyObjects.find({name, type});
    if (code || found == fake().binderyObjects.end())
        return code ? code : NW_ERR_NO_SUCH_OBJECT;
    *id = found->second;
    return NW_SUCCESS;
}

uint32_t NWAPI readPropertyValue(uint32_t conn, const char *name, uint16_t type, const char *property,
                                 uint8_t segment, uint8_t *data, uint8_t *more, uint8_t *)
{
    fake().arguments["NWReadPropertyValue"] = {conn, type, segment};
    fake().lastPropertyName = property;
    const uint32_t code = answer("NWReadPropertyValue");
    const auto found = fake().identifications.find(name);
    if (code || found == fake().identifications.end())
        return code ? code : NW_ERR_NO_SUCH_OBJECT;
    copyText(found->second, reinterpret_cast<char *>(data), NW_PROPERTY_VALUE_SIZE);
    *more = 0;
    return NW_SUCCESS;
}

uint32_t NWAPI getDriveStatus(uint16_t drive, uint16_t pathFormat, uint16_t *status, uint32_t *, char *root,
                              char *, char *)
{
    fake().arguments["NWGetDriveStatus"].push_back(drive);
    fake().arguments["NWGetDriveStatusFormat"] = {pathFormat};
    const uint32_t code = answer("NWGetDriveStatus");
    if (code || drive == 0 || drive >= fake().driveStatus.size())
        return code ? code : NW_ERR_NOT_SUPPORTED;
    *status = fake().driveStatus[drive];
    copyText("SYS:", root, NW_PATH_SIZE);
    return NW_SUCCESS;
}

uint32_t NWAPI setBroadcastMode(uint32_t conn, uint16_t mode)
{
    fake().arguments["NWSetBroadcastMode"] = {conn, mode};
    return answer("NWSetBroadcastMode");
}

uint32_t NWAPI setNetWareErrorMode(uint8_t mode, uint8_t *previous)
{
    *previous = fake().errorMode;
    const uint32_t code = answer("NWSetNetWareErrorMode");
    if (!code)
        fake().errorMode = mode;
    return code;
}

uint32_t NWAPI longSwap(uint32_t value)
{
    fake().Called("NWLongSwap");
    return __builtin_bswap32(value);
}

// Connection library.
uint32_t NWAPI getPrimConnRef(uint32_t *reference)
{
    *reference = fake().connections.front().reference;
    return answer("NWCCGetPrimConnRef");
}

uint32_t NWAPI openConnByRef(uint32_t reference, uint32_t openState, uint32_t reserved, uint32_t *conn)
{
    fake().arguments["NWCCOpenConnByRef"] = {reference, openState, reserved};
    const auto *connection = fake().FindReference(reference);
    *conn = connection ? connection->handle : 0;
    return answer("NWCCOpenConnByRef");
}

uint32_t NWAPI getConnInfo(uint32_t conn, uint32_t infoType, uint32_t length, void *buffer)
{
    fake().arguments["NWCCGetConnInfo"] = {conn, infoType, length};
    const auto *connection = fake().Find(conn);
    const uint32_t code = answer("NWCCGetConnInfo");
    if (code || !connection)
        return code ? code : NW_ERR_INVALID_CONNECTION;
    if (infoType == NW_CONN_INFO_CONN_NUMBER)
        putUInt32(static_cast<uint8_t *>(buffer), 0, connection->number);
    else if (infoType == NW_CONN_INFO_BROADCAST_STATE)
        std::memcpy(buffer, &fake().broadcastState, sizeof fake().broadcastState);
    else
        copyText(connection->server, static_cast<char *>(buffer), length);
    return NW_SUCCESS;
}

uint32_t NWAPI scanConnRefs(uint32_t *iterator, uint32_t *reference)
{
    const uint32_t code = answer("NWCCScanConnRefs");
    if (code || *iterator >= fake().connections.size())
        return code ? code : NW_ERR_NO_MORE_ENTRIES;
    *reference = fake().connections[(*iterator)++].reference;
    return NW_SUCCESS;
}

uint32_t NWAPI getAllConnRefInfo(uint32_t reference, uint32_t infoVersion, uint8_t *info)
{
    fake().arguments["NWCCGetAllConnRefInfo"] = {reference, infoVersion};
    const auto *connection = fake().FindReference(reference);
    const uint32_t code = answer("NWCCGetAllConnRefInfo");
    if (code || !connection || connection->infoCode)
        return code ? code : connection ? connection->infoCode : NW_ERR_INVALID_CONNECTION;
    putUInt32(info, NW_CONN_REF_INFO_VALUE, connection->number);
    copyText(connection->server, reinterpret_cast<char *>(info) + NW_CONN_REF_INFO_NAME,
             NW_CONN_REF_INFO_SIZE - NW_CONN_REF_INFO_NAME);
    return NW_SUCCESS;
}

uint32_t NWAPI openConnByName(uint32_t startConn, const char *name, uint32_t nameFormat, uint32_t openState,
                              uint32_t tranType, uint32_t *conn)
{
    fake().arguments["NWCCOpenConnByName"] = {startConn, nameFormat, openState, tranType};
    return openByName("NWCCOpenConnByName", name, conn);
}

uint32_t NWAPI setPrefServerName(const char *name)
{
    fake().preferredServer = name;
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    const uint32_t code = answer("NWCCSetPrefServerName");
    return code ? code : fake().FindServer(upper) ? NW_SUCCESS : NW_ERR_SERVER_UNKNOWN;
}

// Directory library.
uint32_t NWAPI duplicateContext(uint32_t)
{
    fake().Called("NWDSDuplicateContext");
    return ++fake().nextContext;
}

uint32_t NWAPI duplicateContextHandle(uint32_t, uint32_t *copy)
{
    const uint32_t code = answer("NWDSDuplicateContextHandle");
    if (!code)
        *copy = ++fake().nextContext;
    return code;
}

uint32_t NWAPI allocBuf(uint32_t size, NWDSBuf *buffer)
{
    fake().arguments["NWDSAllocBuf"] = {size};
    const uint32_t code = answer("NWDSAllocBuf");
    if (code)
        return code;
    static int handles = 0;
    *buffer = reinterpret_cast<NWDSBuf>(std::intptr_t(++handles));
    fake().liveBuffers.insert(*buffer);
    return NW_SUCCESS;
}

uint32_t NWAPI freeBuf(NWDSBuf buffer)
{
    if (fake().liveBuffers.erase(buffer) == 0)
        fake().strayFrees.push_back(buffer);
    return answer("NWDSFreeBuf");
}

uint32_t NWAPI initBuf(uint32_t, uint32_t operation, NWDSBuf)
{
    fake().arguments["NWDSInitBuf"] = {operation};
    return answer("NWDSInitBuf");
}

uint32_t NWAPI putAttrName(uint32_t, NWDSBuf, const char *name)
{
    fake().lastAttributeName = name;
    return answer("NWDSPutAttrName");
}

uint32_t NWAPI read(uint32_t, const char *object, uint32_t infoType, uint8_t all, NWDSBuf, int32_t *iteration,
                    NWDSBuf)
{
    fake().arguments["NWDSRead"] = {infoType, all};
    fake().lastObjectName = object;
    const uint32_t code = answer("NWDSRead");
    const int parts = fake().dsReadParts;
    const bool last = parts >= 0 && fake().Calls("NWDSRead") >= parts;
    *iteration = last ? -1 : fake().Calls("NWDSRead");
    return code;
}

const std::string *attributeValue()
{
    const auto object = fake().dsAttributes.find(fake().lastObjectName);
    if (object == fake().dsAttributes.end())
        return nullptr;
    const auto value = object->second.find(fake().lastAttributeName);
    return value == object->second.end() ? nullptr : &value->second;
}

uint32_t NWAPI getAttrCount(uint32_t, NWDSBuf, uint32_t *count)
{
    *count = attributeValue() ? 1 : 0;
    return answer("NWDSGetAttrCount");
}

uint32_t NWAPI getAttrName(uint32_t, NWDSBuf, char *name, uint32_t *valueCount, uint32_t *syntax)
{
    fake().arguments["NWDSGetAttrNameGiven"] = {name == fake().lastAttributeName};
    *valueCount = 1;
    *syntax = 3;
    return answer("NWDSGetAttrName");
}

uint32_t NWAPI getAttrVal(uint32_t, NWDSBuf, uint32_t syntax, void *value)
{
    fake().arguments["NWDSGetAttrVal"] = {syntax};
    const std::string *found = attributeValue();
    copyText(found ? *found : std::string(), static_cast<char *>(value), NW_NAME_BUFFER_SIZE);
    return answer("NWDSGetAttrVal");
}

uint32_t objectID(const char *entryPoint, const char *name, uint32_t *id)
{
    fake().lastObjectName = name;
    const uint32_t code = answer(entryPoint);
    const auto found = fake().dsObjectIDs.find(name);
    if (code || found == fake().dsObjectIDs.end())
        return code ? code : NW_ERR_NO_SUCH_OBJECT;
    *id = found->second;
    return NW_SUCCESS;
}

uint32_t NWAPI mapNameToID(uint32_t, uint32_t conn, const char *name, uint32_t *id)
{
    fake().arguments["NWDSMapNameToID"] = {conn};
    return objectID("NWDSMapNameToID", name, id);
}

uint32_t NWAPI auditGetObjectID(uint32_t, const char *name, uint32_t *conn, uint32_t *id)
{
    fake().arguments["NWDSAuditGetObjectID"] = {*conn};
    return objectID("NWDSAuditGetObjectID", name, id);
}

uint32_t NWAPI createContext()
{
    fake().Called("NWDSCreateContext");
    return ++fake().nextContext;
}

uint32_t NWAPI freeContext(uint32_t context)
{
    fake().freedContexts.push_back(context);
    return answer("NWDSFreeContext");
}

uint32_t NWAPI setContext(uint32_t, uint32_t key, const void *value)
{
    const uint32_t code = answer("NWDSSetContext");
    if (code)
        return code;
    if (key == NW_DS_CTX_FLAGS) {
        fake().contextFlags = *static_cast<const uint32_t *>(value);
        fake().flagWrites.push_back(fake().contextFlags);
    } else {
        fake().contextName = static_cast<const char *>(value);
    }
    return NW_SUCCESS;
}

uint32_t NWAPI getContext(uint32_t, uint32_t key, void *value)
{
    const uint32_t code = answer("NWDSGetContext");
    if (code)
        return code;
    if (key == NW_DS_CTX_FLAGS)
        putUInt32(static_cast<uint8_t *>(value), 0, fake().contextFlags);
    else
        copyText(fake().contextName, static_cast<char *>(value), NW_NAME_BUFFER_SIZE);
    return NW_SUCCESS;
}

uint32_t NWAPI whoAmI(uint32_t, char *name)
{
    copyText(fake().whoAmI, name, NW_NAME_BUFFER_SIZE);
    return answer("NWDSWhoAmI");
}

uint32_t NWAPI canonicalizeName(uint32_t, const char *name, char *canonical)
{
    fake().flagsWhileCanonicalizing = fake().contextFlags;
    copyText(std::string("CN=") + name, canonical, NW_CONN_INFO_NAME_SIZE);
    return answer("NWDSCanonicalizeName");
}

uint32_t NWAPI isDSServer(uint32_t, char *treeName)
{
    fake().Called("NWIsDSServer");
    copyText(fake().treeName, treeName, NW_NAME_BUFFER_SIZE);
    return fake().treeName.empty() ? 0 : 1;
}

// Every entry point the fake does not script is there all the same, as a client's would be, and answers that
// it is not supported.
uint32_t NWAPI notScripted()
{
    return NW_ERR_NOT_SUPPORTED;
}

// Locale library.
uint32_t NWAPI localeconv(uint8_t *info)
{
    putUInt32(info, NW_LOCALE_CODE_PAGE, 437);
    putUInt32(info, NW_LOCALE_COUNTRY, 1);
    return answer("NWLlocaleconv");
}

uint32_t NWAPI initUnicodeTables(uint32_t country, uint32_t codePage)
{
    fake().unicodeCountry = country;
    fake().unicodeCodePage = codePage;
    return answer("NWInitUnicodeTables");
}

uint32_t NWAPI freeUnicodeTables()
{
    return answer("NWFreeUnicodeTables");
}

// Every entry point of the contract, with the file name of its library.
std::vector<std::pair<std::string, const char *>> contractEntryPoints()
{
#define IN_CALLS(name) {#name, NW_LIB_CALLS},
#define IN_CONNECTIONS(name) {#name, NW_LIB_CONNECTIONS},
#define IN_DIRECTORY(name) {#name, NW_LIB_DIRECTORY},
#define IN_LOCALE(name) {#name, NW_LIB_LOCALE},
    return {NW_CALLS_ENTRY_POINTS(IN_CALLS) NW_CONNECTIONS_ENTRY_POINTS(IN_CONNECTIONS)
                NW_DIRECTORY_ENTRY_POINTS(IN_DIRECTORY) NW_LOCALE_ENTRY_POINTS(IN_LOCALE)};
#undef IN_CALLS
#undef IN_CONNECTIONS
#undef IN_DIRECTORY
#undef IN_LOCALE
}

using TScripted = std::pair<std::string, void *>;

// The fake's own entry points; each must have its prototype's type.
#define SCRIPTED(entryPoint, function)                                                                       \
    TScripted(#entryPoint, reinterpret_cast<void *>(static_cast<entryPoint##_fn>(function)))
std::vector<TScripted> scriptedEntryPoints()
{
    return {
        SCRIPTED(NWCallsInit, callsInit),
        SCRIPTED(NWGetPrimaryConnectionID, getPrimaryConnectionID),
        SCRIPTED(NWGetConnectionNumber, getConnectionNumber),
        SCRIPTED(NWGetConnectionInformation, getConnectionInformation),
        SCRIPTED(NWGetConnectionList, getConnectionList),
        SCRIPTED(NWGetFileServerName, getFileServerName),
        SCRIPTED(NWGetConnectionHandle, getConnectionHandle),
        SCRIPTED(NWGetFileServerInfo, getFileServerInfo),
        SCRIPTED(NWGetFileServerInformation, getFileServerInformation),
        SCRIPTED(NWGetFileServerDateAndTime, getFileServerDateAndTime),
        SCRIPTED(NWSetFileServerDateAndTime, setFileServerDateAndTime),
        SCRIPTED(NWGetMaximumConnections, getMaximumConnections),
        SCRIPTED(NWCheckConsolePrivileges, checkConsolePrivileges),
        SCRIPTED(NWIsManager, isManager),
        SCRIPTED(NWGetFirstDrive, getFirstDrive),
        SCRIPTED(NWSetPrimaryConnectionID, setPrimaryConnectionID),
        SCRIPTED(NWGetObjectID, getObjectID),
        SCRIPTED(NWReadPropertyValue, readPropertyValue),
        SCRIPTED(NWGetDriveStatus, getDriveStatus),
        SCRIPTED(NWSetBroadcastMode, setBroadcastMode),
        SCRIPTED(NWSetNetWareErrorMode, setNetWareErrorMode),
        SCRIPTED(NWLongSwap, longSwap),
        SCRIPTED(NWCCGetPrimConnRef, getPrimConnRef),
        SCRIPTED(NWCCOpenConnByRef, openConnByRef),
        SCRIPTED(NWCCGetConnInfo, getConnInfo),
        SCRIPTED(NWCCScanConnRefs, scanConnRefs),
        SCRIPTED(NWCCGetAllConnRefInfo, getAllConnRefInfo),
        SCRIPTED(NWCCOpenConnByName, openConnByName),
        SCRIPTED(NWCCSetPrefServerName, setPrefServerName),
        SCRIPTED(NWDSDuplicateContext, duplicateContext),
        SCRIPTED(NWDSDuplicateContextHandle, duplicateContextHandle),
        SCRIPTED(NWDSAllocBuf, allocBuf),
        SCRIPTED(NWDSFreeBuf, freeBuf),
        SCRIPTED(NWDSInitBuf, initBuf),
        SCRIPTED(NWDSPutAttrName, putAttrName),
        SCRIPTED(NWDSRead, read),
        SCRIPTED(NWDSGetAttrCount, getAttrCount),
        SCRIPTED(NWDSGetAttrName, getAttrName),
        SCRIPTED(NWDSGetAttrVal, getAttrVal),
        SCRIPTED(NWDSMapNameToID, mapNameToID),
        SCRIPTED(NWDSAuditGetObjectID, auditGetObjectID),
        SCRIPTED(NWDSCreateContext, createContext),
        SCRIPTED(NWDSFreeContext, freeContext),
        SCRIPTED(NWDSSetContext, setContext),
        SCRIPTED(NWDSGetContext, getContext),
        SCRIPTED(NWDSWhoAmI, whoAmI),
        SCRIPTED(NWDSCanonicalizeName, canonicalizeName),
        SCRIPTED(NWIsDSServer, isDSServer),
        SCRIPTED(NWLlocaleconv, localeconv),
        SCRIPTED(NWInitUnicodeTables, initUnicodeTables),
        SCRIPTED(NWFreeUnicodeTables, freeUnicodeTables),
    };
}
#undef SCRIPTED

} // namespace

TFakeClient::TFakeClient()
    : m_libraries{NW_LIB_CALLS, NW_LIB_CONNECTIONS, NW_LIB_DIRECTORY, NW_LIB_LOCALE}, m_previous(s_active)
{
    s_active = this;
    for (const auto &[name, library] : contractEntryPoints())
        m_entryPoints[name] = {libraryHandle(library), reinterpret_cast<void *>(notScripted)};
    for (const auto &[name, function] : scriptedEntryPoints())
        m_entryPoints.at(name).function = function;
}

TFakeClient::~TFakeClient()
{
    s_active = m_previous;
}

TLibraryLoader::Handle TFakeClient::LoadLibrary(const char *fileName)
{
    if (!m_libraries.count(fileName))
        return nullptr;
    return libraryHandle(fileName);
}

void *TFakeClient::GetProcAddress(Handle library, const char *name)
{
    ++m_lookups[name];
    const auto found = m_entryPoints.find(name);
    if (found == m_entryPoints.end() || found->second.library != library)
        return nullptr;
    return found->second.function;
}

TFakeClient &TFakeClient::Active()
{
    return *s_active;
}

uint32_t TFakeClient::Code(const std::string &entryPoint) const
{
    const auto found = m_codes.find(entryPoint);
    return found == m_codes.end() ? NW_SUCCESS : found->second;
}

int TFakeClient::Calls(const std::string &entryPoint) const
{
    const auto found = m_calls.find(entryPoint);
    return found == m_calls.end() ? 0 : found->second;
}

int TFakeClient::Lookups(const std::string &entryPoint) const
{
    const auto found = m_lookups.find(entryPoint);
    return found == m_lookups.end() ? 0 : found->second;
}

int TFakeClient::TotalCalls() const
{
    return std::accumulate(m_calls.begin(), m_calls.end(), 0,
                           [](int sum, const auto &c) { return sum + c.second; });
}

void TFakeClient::ResetCounts()
{
    m_calls.clear();
    m_lookups.clear();
}

const TFakeClient::Connection *TFakeClient::Find(uint32_t handle) const
{
    const auto found = std::find_if(connections.begin(), connections.end(),
                                    [handle](const Connection &c) { return c.handle == handle; });
    return found == connections.end() ? nullptr : &*found;
}

const TFakeClient::Connection *TFakeClient::FindReference(uint32_t reference) const
{
    const auto found = std::find_if(connections.begin(), connections.end(),
                                    [reference](const Connection &c) { return c.reference == reference; });
    return found == connections.end() ? nullptr : &*found;
}

const TFakeClient::Connection *TFakeClient::FindServer(const std::string &server) const
{
    const auto found = std::find_if(connections.begin(), connections.end(),
                                    [&server](const Connection &c) { return c.server == server; });
    return found == connections.end() ? nullptr : &*found;
}
