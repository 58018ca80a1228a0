#include "ncp/Client.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ncp/Boundary.h"
#include "ncp/Codes.h"
#include "ncp/Log.h"
#include "ncp/wire/Messages.h"

namespace ncp {

namespace {

// References live in their own number range, so a handle passed where a reference belongs is caught.
constexpr std::uint32_t kReferenceBase = 0x100;
constexpr std::size_t kMaxNameInput = NW_OBJECT_NAME_SIZE;
constexpr std::uint16_t kLastBroadcastMode = 3;
constexpr std::uint8_t kLastErrorMode = 2;
constexpr Clock::duration kFarewellTime = std::chrono::milliseconds(500);

// Bindery types travel big-endian; the caller gives and takes them in its own order (user = 0x0100).
std::uint16_t swapped(std::uint16_t type)
{
    return std::uint16_t(type << 8 | type >> 8);
}

std::uint32_t idOf(const ObjectId &id)
{
    std::uint32_t value = 0;
    std::memcpy(&value, id.data(), id.size());
    return value;
}

// A fixed-size value into the caller's buffer, or nothing when it does not fit.
template <typename T> std::uint32_t putValue(void *buffer, std::uint32_t length, T value)
{
    if (length < sizeof value)
        return codes::kBufferTooSmall;
    std::memcpy(buffer, &value, sizeof value);
    return NW_SUCCESS;
}

Request binderyRequest(std::uint8_t subfunction, Bytes data = {})
{
    return MakeRequest(function::kBindery, subfunction, std::move(data));
}

std::unique_ptr<Trace> openTrace(const std::string &path)
{
    if (path.empty())
        return nullptr;
    std::string error;
    std::unique_ptr<Trace> trace = Trace::Open(path, error);
    if (!trace)
        Log("cannot write the trace " + path + ": " + error);
    return trace;
}

Client *makeInstance()
{
    const char *named = std::getenv("SEMBROLIN_SERVERS");
    const std::string path = named != nullptr && *named != '\0' ? named : ServersFile::DefaultPath();
    ServersConfig config;
    std::uint32_t initCode = 0;
    try {
        config = ServersFile::Read(path);
    } catch (const ServersFileError &error) {
        Log(error.File() + (error.Line() > 0 ? ":" + std::to_string(error.Line()) : "") + ": " +
            error.what() + "; no servers");
        initCode = codes::kRequesterFailure;
    }
    const char *tracePath = std::getenv("SEMBROLIN_NCP_TRACE");
    if (tracePath != nullptr && *tracePath != '\0')
        config.tracePath = tracePath;
    std::unique_ptr<Trace> trace = openTrace(config.tracePath);
    return new Client(std::move(config), std::move(trace), initCode);
}

// Created with the process's client; at the end of the process it says goodbye to the servers.
struct FarewellAtExit
{
    Client *client = nullptr;
    ~FarewellAtExit()
    {
        if (client != nullptr)
            client->Farewell(Clock::now() + kFarewellTime);
    }
};

FarewellAtExit g_farewell;

} // namespace

Client::Client(ServersConfig config, std::unique_ptr<Trace> trace, std::uint32_t initCode)
    : m_trace(std::move(trace)), m_initCode(initCode), m_started(Clock::now()),
      m_primary(config.PrimaryIndex()), m_broadcastModes(config.servers.size(), 0)
{
    for (ServerEntry &entry : config.servers)
        m_connections.push_back(std::make_unique<Connection>(std::move(entry), m_trace.get()));
}

Client::~Client()
{
    for (const auto &connection : m_connections)
        connection->Stop();
    m_connections.clear();
}

Client &Client::Instance()
{
    // Never destroyed: connection threads may outlive the last static destructor.
    static Client *instance = g_farewell.client = makeInstance();
    return *instance;
}

void Client::Farewell(Clock::time_point deadline)
{
    for (const auto &connection : m_connections)
        connection->Stop();
    for (const auto &connection : m_connections)
        connection->WaitStopped(deadline);
}

std::uint32_t Client::GetPrimaryConnectionID(std::uint32_t *connection) const
{
    const std::optional<std::size_t> primary = place(0);
    if (!primary)
        return codes::kInvalidConnection;
    boundary::Put(connection, std::uint32_t(*primary + 1));
    return NW_SUCCESS;
}

std::uint32_t Client::SetPrimaryConnectionID(std::uint32_t connection)
{
    const std::optional<std::size_t> chosen = connection == 0 ? std::nullopt : place(connection);
    if (!chosen)
        return codes::kInvalidConnection;
    const std::lock_guard lock(m_mutex);
    m_primary = *chosen;
    return NW_SUCCESS;
}

std::uint32_t Client::GetConnectionNumber(std::uint32_t connection, std::uint16_t *number) const
{
    const std::optional<std::size_t> found = place(connection);
    if (!found)
        return codes::kInvalidConnection;
    const Connection::Status status = m_connections[*found]->Current();
    if (!status.up)
        return status.downCode;
    boundary::Put(number, status.number);
    return NW_SUCCESS;
}

std::uint32_t Client::GetConnectionInformation(std::uint32_t connection, std::uint16_t number, char *name,
                                               std::uint16_t *objectType, std::uint32_t *objectID,
                                               std::uint8_t *loginTime) const
{
    const Connection::Result answer = call(
        connection, binderyRequest(subfunction::kStationInfo, ByteWriter().LittleEndian32(number).Take()));
    if (answer.code != 0)
        return answer.code;
    const std::optional<StationInfo> station = DecodeStationInfo(answer.data);
    if (!station)
        return codes::kBadReplyLength;
    boundary::CopyText(name, NW_NAME_BUFFER_SIZE, station->name);
    boundary::Put(objectType, swapped(station->type));
    boundary::Put(objectID, idOf(station->id));
    if (loginTime != nullptr) {
        std::memset(loginTime, 0, NW_LOGIN_TIME_SIZE);
        std::ranges::copy(station->loginTime, loginTime);
    }
    return NW_SUCCESS;
}

std::uint32_t Client::GetConnectionList(std::uint16_t mode, std::uint16_t *list, std::uint16_t listSize,
                                        std::uint16_t *count) const
{
    if (mode != 0 || list == nullptr || count == nullptr)
        return codes::kInvalidParameter;
    std::uint16_t written = 0;
    for (std::size_t i = 0; i < m_connections.size() && written < listSize; ++i)
        if (!m_connections[i]->Current().name.empty())
            list[written++] = std::uint16_t(i + 1);
    *count = written;
    return NW_SUCCESS;
}

std::uint32_t Client::GetFileServerName(std::uint32_t connection, char *name) const
{
    return GetConnInfo(connection, NW_CONN_INFO_SERVER_NAME, NW_NAME_BUFFER_SIZE, name);
}

std::uint32_t Client::GetConnectionHandle(const char *name, std::uint32_t *connection) const
{
    const std::optional<std::size_t> found = placeOfName(name);
    if (!found)
        return codes::kNoServer;
    boundary::Put(connection, std::uint32_t(*found + 1));
    return NW_SUCCESS;
}

std::uint32_t Client::GetFileServerInfo(std::uint32_t connection, std::uint8_t *record) const
{
    if (record == nullptr)
        return codes::kInvalidParameter;
    const Connection::Result answer =
        call(connection, MakeRequest(function::kStatistics, subfunction::kServerStatistics));
    if (answer.code != 0)
        return answer.code;
    const std::optional<StatisticsRecord> statistics = RecordFromStatistics(answer.data);
    if (!statistics)
        return codes::kBadReplyLength;
    std::ranges::copy(*statistics, record);
    return NW_SUCCESS;
}

std::uint32_t Client::GetFileServerInformation(std::uint32_t connection, char *name,
                                               std::uint8_t *majorVersion, std::uint8_t *minorVersion,
                                               std::uint8_t *revision, std::uint16_t *maxConnections,
                                               std::uint16_t *maxConnectionsUsed,
                                               std::uint16_t *connectionsInUse, std::uint16_t *volumes,
                                               std::uint8_t *sftLevel, std::uint8_t *ttsLevel) const
{
    const Connection::Result answer = call(connection, binderyRequest(subfunction::kServerInformation));
    if (answer.code != 0)
        return answer.code;
    const std::optional<ServerInformation> information = DecodeServerInformation(answer.data);
    if (!information)
        return codes::kBadReplyLength;
    boundary::CopyText(name, NW_NAME_BUFFER_SIZE, information->name);
    boundary::Put(majorVersion, information->majorVersion);
    boundary::Put(minorVersion, information->minorVersion);
    boundary::Put(revision, information->revision);
    boundary::Put(maxConnections, information->maxConnections);
    boundary::Put(maxConnectionsUsed, information->peakConnections);
    boundary::Put(connectionsInUse, information->connectionsInUse);
    boundary::Put(volumes, information->maxVolumes);
    boundary::Put(sftLevel, information->sftLevel);
    boundary::Put(ttsLevel, information->ttsLevel);
    return NW_SUCCESS;
}

std::uint32_t Client::GetFileServerDateAndTime(std::uint32_t connection, std::uint8_t *dateTime) const
{
    if (dateTime == nullptr)
        return codes::kInvalidParameter;
    const Connection::Result answer = call(connection, MakeRequest(function::kServerDateTime));
    if (answer.code != 0)
        return answer.code;
    const std::optional<DateTime> decoded = DecodeDateTime(answer.data);
    if (!decoded)
        return codes::kBadReplyLength;
    std::ranges::copy(*decoded, dateTime);
    return NW_SUCCESS;
}

std::uint32_t Client::SetFileServerDateAndTime(std::uint32_t connection, const std::uint8_t *dateTime) const
{
    DateTime value{};
    std::copy_n(dateTime, 6, value.begin());
    return call(connection, binderyRequest(subfunction::kSetDateTime, EncodeSetDateTime(value))).code;
}

std::uint32_t Client::GetMaximumConnections(std::uint32_t *count) const
{
    boundary::Put(count, std::uint32_t(m_connections.size()));
    return NW_SUCCESS;
}

std::uint32_t Client::CheckConsolePrivileges(std::uint32_t connection) const
{
    return call(connection, binderyRequest(subfunction::kConsolePrivileges)).code;
}

std::uint32_t Client::IsManager(std::uint32_t connection) const
{
    return call(connection, binderyRequest(subfunction::kIsManager)).code;
}

std::uint32_t Client::GetObjectID(std::uint32_t connection, const char *objectName, std::uint16_t objectType,
                                  std::uint32_t *objectID) const
{
    const std::string name = boundary::ReadText(objectName, kMaxNameInput);
    // No bindery holds a longer name; asking would only cut it to one that may exist.
    if (name.empty() || name.size() > kMaxBinderyName)
        return codes::kNoSuchObject;
    const Connection::Result answer = call(
        connection, binderyRequest(subfunction::kObjectId, EncodeObjectName({swapped(objectType), name})));
    if (answer.code != 0)
        return answer.code;
    const std::optional<BinderyObject> object = DecodeBinderyObject(answer.data);
    if (!object)
        return codes::kBadReplyLength;
    boundary::Put(objectID, idOf(object->id));
    return NW_SUCCESS;
}

std::uint32_t Client::SetBroadcastMode(std::uint32_t connection, std::uint16_t mode)
{
    // Here 0 is no connection at all: the monitor passes it through unchanged.
    const std::optional<std::size_t> found = connection == 0 ? std::nullopt : place(connection);
    if (!found)
        return codes::kInvalidConnection;
    if (mode > kLastBroadcastMode)
        return codes::kInvalidParameter;
    const std::lock_guard lock(m_mutex);
    m_broadcastModes[*found] = mode;
    return NW_SUCCESS;
}

std::uint32_t Client::SetErrorMode(std::uint8_t mode, std::uint8_t *previousMode)
{
    if (mode > kLastErrorMode)
        return codes::kInvalidParameter;
    const std::lock_guard lock(m_mutex);
    boundary::Put(previousMode, m_errorMode);
    m_errorMode = mode;
    return NW_SUCCESS;
}

std::uint32_t Client::GetPrimConnRef(std::uint32_t *reference) const
{
    const std::optional<std::size_t> primary = place(0);
    if (!primary)
        return codes::kInvalidConnection;
    boundary::Put(reference, kReferenceBase + std::uint32_t(*primary + 1));
    return NW_SUCCESS;
}

std::uint32_t Client::OpenConnByRef(std::uint32_t reference, std::uint32_t *connection) const
{
    const std::optional<std::size_t> found = placeOfReference(reference);
    if (!found)
        return codes::kInvalidConnection;
    boundary::Put(connection, std::uint32_t(*found + 1));
    return NW_SUCCESS;
}

std::uint32_t Client::GetConnInfo(std::uint32_t connection, std::uint32_t infoType, std::uint32_t length,
                                  void *buffer) const
{
    const std::optional<std::size_t> found = place(connection);
    if (!found)
        return codes::kInvalidConnection;
    if (buffer == nullptr || length == 0)
        return codes::kInvalidParameter;
    const Connection::Status status = m_connections[*found]->Current();
    switch (infoType) {
    case NW_CONN_INFO_BROADCAST_STATE: {
        const std::lock_guard lock(m_mutex);
        return putValue(buffer, length, m_broadcastModes[*found]);
    }
    case NW_CONN_INFO_CONN_NUMBER:
        return status.up ? putValue(buffer, length, std::uint32_t(status.number)) : status.downCode;
    case NW_CONN_INFO_SERVER_NAME:
        if (status.name.empty())
            return status.downCode;
        boundary::CopyText(static_cast<char *>(buffer), length, status.name);
        return NW_SUCCESS;
    default:
        return codes::kInvalidParameter;
    }
}

std::uint32_t Client::ScanConnRefs(std::uint32_t *iterator, std::uint32_t *reference) const
{
    if (iterator == nullptr)
        return codes::kInvalidParameter;
    // A scan from the start soon after the client started gives the servers a moment to answer first,
    // all of them at once.
    if (*iterator == 0)
        for (const auto &connection : m_connections)
            connection->WaitSettled(m_started + kStartWait);
    for (std::size_t i = *iterator; i < m_connections.size(); ++i) {
        if (!m_connections[i]->Current().name.empty()) {
            *iterator = std::uint32_t(i + 1);
            boundary::Put(reference, kReferenceBase + std::uint32_t(i + 1));
            return NW_SUCCESS;
        }
    }
    *iterator = std::uint32_t(m_connections.size());
    return codes::kNoMoreEntries;
}

std::uint32_t Client::GetAllConnRefInfo(std::uint32_t reference, std::uint32_t infoVersion,
                                        std::uint8_t *info) const
{
    if (infoVersion != 1 || info == nullptr)
        return codes::kInvalidParameter;
    const std::optional<std::size_t> found = placeOfReference(reference);
    if (!found)
        return codes::kInvalidConnection;
    const Connection::Status status = m_connections[*found]->Current();
    if (status.name.empty())
        return status.downCode;
    std::memset(info, 0, NW_CONN_REF_INFO_SIZE);
    const std::uint32_t number = status.number;
    std::memcpy(info, &reference, sizeof reference);
    std::memcpy(info + NW_CONN_REF_INFO_VALUE, &number, sizeof number);
    boundary::CopyText(reinterpret_cast<char *>(info + NW_CONN_REF_INFO_NAME),
                       NW_CONN_REF_INFO_SIZE - NW_CONN_REF_INFO_NAME, status.name);
    return NW_SUCCESS;
}

std::uint32_t Client::OpenConnByName(const char *name, std::uint32_t *connection) const
{
    const std::optional<std::size_t> found = placeOfName(name);
    if (!found)
        return codes::kNoSuchObject;
    boundary::Put(connection, std::uint32_t(*found + 1));
    return NW_SUCCESS;
}

std::uint32_t Client::SetPrefServerName(const char *name)
{
    const std::optional<std::size_t> found = placeOfName(name);
    if (!found)
        return codes::kNoServer;
    const std::lock_guard lock(m_mutex);
    m_primary = *found;
    return NW_SUCCESS;
}

std::uint32_t Client::IsDSServer(std::uint32_t connection, char *treeName) const
{
    boundary::CopyText(treeName, NW_NAME_BUFFER_SIZE, "");
    const Connection::Result answer =
        call(connection, MakeRequest(function::kDirectory, subfunction::kPing, EncodePingRequest()));
    const std::optional<Ping> ping = answer.code == 0 ? DecodePing(answer.data) : std::nullopt;
    if (!ping || ping->tree.empty())
        return 0;
    boundary::CopyText(treeName, NW_NAME_BUFFER_SIZE, ping->tree);
    return 1;
}

std::optional<std::size_t> Client::place(std::uint32_t handle) const
{
    if (handle == 0) {
        const std::lock_guard lock(m_mutex);
        return m_primary < m_connections.size() ? std::optional(m_primary) : std::nullopt;
    }
    return handle <= m_connections.size() ? std::optional<std::size_t>(handle - 1) : std::nullopt;
}

std::optional<std::size_t> Client::placeOfReference(std::uint32_t reference) const
{
    if (reference <= kReferenceBase || reference - kReferenceBase > m_connections.size())
        return std::nullopt;
    return reference - kReferenceBase - 1;
}

std::optional<std::size_t> Client::placeOfName(const char *name) const
{
    const std::string wanted = boundary::ReadText(name, kMaxNameInput);
    for (std::size_t i = 0; i < m_connections.size(); ++i) {
        const std::string known = m_connections[i]->Current().name;
        if (!wanted.empty() && boundary::SameName(known, wanted))
            return i;
    }
    return std::nullopt;
}

Connection::Result Client::call(std::uint32_t handle, Request request) const
{
    const std::optional<std::size_t> found = place(handle);
    if (!found)
        return {codes::kInvalidConnection, {}};
    return m_connections[*found]->Call(std::move(request), Clock::now() + kCallTime);
}

} // namespace ncp
