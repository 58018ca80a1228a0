#include "nwsim/Network.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>

#include "netware/nwclient.h"
#include "nwsim/ScenarioError.h"
#include "nwsim/ScenarioParser.h"
#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

constexpr std::size_t kMaxNameInput = 4096;
constexpr std::uint16_t kTypeUser = 0x0100;
constexpr std::uint16_t kTypeGroup = 0x0200;
constexpr std::uint16_t kTypeFileServer = 0x0400;
constexpr std::uint16_t kLastBroadcastMode = 3;
constexpr std::size_t kPropertySegment = 128;

std::unique_ptr<Network> &instanceSlot()
{
    static std::unique_ptr<Network> instance;
    return instance;
}

Network::Clock steadyClock()
{
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::uint64_t(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                .count());
    };
}

// Year since 1900, month, day, hour, minute, second, weekday (0 = Sunday).
void putDateTime(std::uint8_t *destination, std::time_t when)
{
    std::tm parts{};
    localtime_r(&when, &parts);
    const int fields[NW_DATE_TIME_SIZE] = {parts.tm_year, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                                           parts.tm_min,  parts.tm_sec,     parts.tm_wday, 0};
    for (std::size_t i = 0; i < NW_DATE_TIME_SIZE; ++i) {
        destination[i] = std::uint8_t(fields[i]);
    }
}

} // namespace

Network::Network(Scenario scenario, Clock clock)
    : m_scenario(std::move(scenario)), m_clock(clock ? std::move(clock) : steadyClock()),
      m_servers(m_scenario.servers.begin(), m_scenario.servers.end()), m_connections(m_scenario.servers),
      m_station(m_scenario, m_connections), m_directory(m_scenario), m_startTime(std::time(nullptr))
{}

Network &Network::Instance()
{
    std::unique_ptr<Network> &slot = instanceSlot();
    if (!slot) {
        slot = std::make_unique<Network>(ScenarioFromEnvironment());
    }
    return *slot;
}

void Network::Reset(Scenario scenario, Clock clock)
{
    instanceSlot() = std::make_unique<Network>(std::move(scenario), std::move(clock));
}

Scenario Network::ScenarioFromEnvironment()
{
    const char *path = std::getenv("NWSIM_SCENARIO");
    if (path == nullptr || *path == '\0') {
        return Scenario::BuiltIn();
    }
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "nwsim: %s: cannot read the scenario; no network\n", path);
        return {};
    }
    try {
        return ScenarioParser::Parse(file);
    } catch (const ScenarioError &error) {
        std::fprintf(stderr, "nwsim: %s:%d: %s; no network\n", path, error.Line(), error.what());
        return {};
    }
}

std::uint32_t Network::CallsInit() const
{
    return m_scenario.callsInitFailure;
}

std::uint32_t Network::GetPrimaryConnectionID(std::uint32_t *connection) const
{
    std::uint32_t code = NW_SUCCESS;
    if (const Connection *found = primary(code)) {
        text::PutIfWanted(connection, found->handle);
    }
    return code;
}

std::uint32_t Network::SetPrimaryConnectionID(std::uint32_t connection)
{
    return m_connections.SetPrimary(connection) ? NW_SUCCESS : NW_ERR_INVALID_CONNECTION;
}

std::uint32_t Network::GetConnectionNumber(std::uint32_t connection, std::uint16_t *number)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    text::PutIfWanted(number, found->number);
    return NW_SUCCESS;
}

std::uint32_t Network::GetConnectionInformation(std::uint32_t connection, std::uint16_t number, char *name,
                                                std::uint16_t *objectType, std::uint32_t *objectID,
                                                std::uint8_t *loginTime)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    if (found->number != number) {
        return NW_ERR_NO_SUCH_OBJECT;
    }
    const ServerState &server = m_servers[found->server];
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, m_scenario.BinderyUser());
    text::PutIfWanted(objectType, kTypeUser);
    text::PutIfWanted(objectID, text::SwapBytes(binderyID(server, m_scenario.BinderyUser(), kTypeUser)));
    if (loginTime != nullptr) {
        putDateTime(loginTime, m_startTime - std::time_t(server.Setup().seed % 7200));
    }
    return NW_SUCCESS;
}

std::uint32_t Network::GetConnectionList(std::uint16_t mode, std::uint16_t *list, std::uint16_t listSize,
                                         std::uint16_t *count) const
{
    if (mode != 0 || list == nullptr || count == nullptr) {
        return codes::kInvalidParameter;
    }
    std::uint16_t written = 0;
    for (; written < listSize && written < m_connections.Count(); ++written) {
        list[written] = std::uint16_t(m_connections.At(written).handle);
    }
    *count = written;
    return NW_SUCCESS;
}

std::uint32_t Network::GetFileServerName(std::uint32_t connection, char *name)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, m_servers[found->server].Setup().name);
    return NW_SUCCESS;
}

std::uint32_t Network::GetConnectionHandle(const char *name, std::uint32_t *connection) const
{
    const Connection *found = connectionOf(name);
    if (found == nullptr) {
        return NW_ERR_SERVER_UNKNOWN;
    }
    text::PutIfWanted(connection, found->handle);
    return NW_SUCCESS;
}

std::uint32_t Network::GetFileServerInfo(std::uint32_t connection, std::uint8_t *record)
{
    return statistics(connection, record, ServerState::Request::Version4);
}

std::uint32_t Network::GetFileServerCounters(std::uint32_t connection, std::uint8_t *record)
{
    return statistics(connection, record, ServerState::Request::AnyVersion);
}

bool Network::Answering(std::uint32_t connection)
{
    std::uint32_t code = NW_SUCCESS;
    return answering(connection, code) != nullptr;
}

std::uint32_t Network::GetFileServerInformation(std::uint32_t connection, char *name,
                                                std::uint8_t *majorVersion, std::uint8_t *minorVersion,
                                                std::uint8_t *revision, std::uint16_t *maxConnections,
                                                std::uint16_t *maxConnectionsUsed,
                                                std::uint16_t *connectionsInUse, std::uint16_t *volumes,
                                                std::uint8_t *sftLevel, std::uint8_t *ttsLevel)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    const ServerSetup &setup = server->Setup();
    const double activity = server->Model().Activity(now());
    const auto peak = std::uint16_t(setup.licensedConnections * 6 / 10);
    text::CopyBounded(name, NW_NAME_BUFFER_SIZE, setup.name);
    text::PutIfWanted(majorVersion, setup.majorVersion);
    text::PutIfWanted(minorVersion, setup.minorVersion);
    text::PutIfWanted(revision, setup.revision);
    text::PutIfWanted(maxConnections, setup.licensedConnections);
    text::PutIfWanted(maxConnectionsUsed, peak);
    text::PutIfWanted(connectionsInUse, std::uint16_t(peak * (0.4 + 0.5 * activity)));
    text::PutIfWanted(volumes, setup.volumes);
    text::PutIfWanted(sftLevel, std::uint8_t(2));
    text::PutIfWanted(ttsLevel, std::uint8_t(1));
    return NW_SUCCESS;
}

std::uint32_t Network::GetFileServerDateAndTime(std::uint32_t connection, std::uint8_t *dateTime)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr || dateTime == nullptr) {
        return server == nullptr ? code : codes::kInvalidParameter;
    }
    putDateTime(dateTime, std::time(nullptr) + server->ClockOffset());
    // A scripted date stands until the clock is set, whether or not the day exists.
    if (const auto &date = server->Setup().date; date && server->ClockOffset() == 0) {
        std::copy(date->begin(), date->end(), dateTime);
    }
    return NW_SUCCESS;
}

std::uint32_t Network::SetFileServerDateAndTime(std::uint32_t connection, const std::uint8_t *dateTime)
{
    std::uint32_t code = NW_SUCCESS;
    ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    std::tm parts{};
    parts.tm_year = dateTime[0];
    parts.tm_mon = dateTime[1] - 1;
    parts.tm_mday = dateTime[2];
    parts.tm_hour = dateTime[3];
    parts.tm_min = dateTime[4];
    parts.tm_sec = dateTime[5];
    parts.tm_isdst = -1;
    std::tm normalised = parts;
    const std::time_t when = std::mktime(&normalised);
    // mktime quietly moves 30 February to March; a date that moved did not exist.
    if (when == std::time_t(-1) || normalised.tm_mday != parts.tm_mday || normalised.tm_mon != parts.tm_mon ||
        dateTime[3] > 23 || dateTime[4] > 59 || dateTime[5] > 59) {
        return codes::kInvalidParameter;
    }
    server->SetClockOffset(std::int64_t(when - std::time(nullptr)));
    return NW_SUCCESS;
}

std::uint32_t Network::CheckConsolePrivileges(std::uint32_t connection)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    return server->Setup().consoleRights ? NW_SUCCESS : NW_ERR_NO_CONSOLE_RIGHTS;
}

std::uint32_t Network::IsManager(std::uint32_t connection)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    const ServerSetup &setup = server->Setup();
    return setup.manager.value_or(setup.consoleRights) ? NW_SUCCESS : NW_ERR_NO_CONSOLE_RIGHTS;
}

std::uint32_t Network::GetObjectID(std::uint32_t connection, const char *objectName, std::uint16_t objectType,
                                   std::uint32_t *objectID)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    const std::uint32_t id = binderyID(*server, text::ReadBounded(objectName, kMaxNameInput), objectType);
    if (id == 0) {
        return NW_ERR_NO_SUCH_OBJECT;
    }
    text::PutIfWanted(objectID, text::SwapBytes(id));
    return NW_SUCCESS;
}

std::uint32_t Network::ReadPropertyValue(std::uint32_t connection, const char *objectName,
                                         std::uint16_t objectType, const char *propertyName,
                                         std::uint8_t segment, std::uint8_t *segmentData,
                                         std::uint8_t *moreSegments, std::uint8_t *flags)
{
    std::uint32_t code = NW_SUCCESS;
    const ServerState *server = answering(connection, code);
    if (server == nullptr) {
        return code;
    }
    const std::string object = text::ReadBounded(objectName, kMaxNameInput);
    if (binderyID(*server, object, objectType) == 0) {
        return NW_ERR_NO_SUCH_OBJECT;
    }
    const BinderySetup *scripted = binderyObject(*server, object, objectType);
    if (!text::EqualNoCase(text::ReadBounded(propertyName, kMaxNameInput), "IDENTIFICATION")) {
        return codes::kNoSuchProperty;
    }
    if (segment != 1 || segmentData == nullptr) {
        return codes::kNoSuchSegment;
    }
    // A property segment holds 128 bytes, well inside the buffer the caller provides.
    std::memset(segmentData, 0, kPropertySegment);
    text::CopyBounded(reinterpret_cast<char *>(segmentData), kPropertySegment,
                      scripted != nullptr ? scripted->identification
                                          : objectType == kTypeUser ? m_scenario.fullName : std::string());
    text::PutIfWanted(moreSegments, std::uint8_t(0));
    text::PutIfWanted(flags, std::uint8_t(0));
    return NW_SUCCESS;
}

std::uint32_t Network::SetBroadcastMode(std::uint32_t connection, std::uint16_t mode)
{
    // Here 0 is no connection at all: the monitor passes it through unchanged.
    Connection *found = connection == 0 ? nullptr : m_connections.ByHandle(connection);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    if (mode > kLastBroadcastMode) {
        return codes::kInvalidParameter;
    }
    found->broadcastMode = mode;
    return NW_SUCCESS;
}

std::uint32_t Network::GetPrimConnRef(std::uint32_t *reference) const
{
    std::uint32_t code = NW_SUCCESS;
    if (const Connection *found = primary(code)) {
        text::PutIfWanted(reference, found->reference);
    }
    return code;
}

std::uint32_t Network::OpenConnByRef(std::uint32_t reference, std::uint32_t *connection) const
{
    const Connection *found = m_connections.ByReference(reference);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    text::PutIfWanted(connection, found->handle);
    return NW_SUCCESS;
}

std::uint32_t Network::GetConnInfo(std::uint32_t connection, std::uint32_t infoType, std::uint32_t length,
                                   void *buffer)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr || buffer == nullptr) {
        return found == nullptr ? NW_ERR_INVALID_CONNECTION : codes::kInvalidParameter;
    }
    if (infoType == NW_CONN_INFO_BROADCAST_STATE || infoType == NW_CONN_INFO_CONN_NUMBER) {
        const bool broadcast = infoType == NW_CONN_INFO_BROADCAST_STATE;
        const std::uint32_t size = broadcast ? 2 : 4;
        if (length < size) {
            return codes::kBufferTooSmall;
        }
        const std::uint32_t value = broadcast ? found->broadcastMode : found->number;
        std::memcpy(buffer, &value, size);
        return NW_SUCCESS;
    }
    if (infoType == NW_CONN_INFO_SERVER_NAME) {
        text::CopyBounded(static_cast<char *>(buffer), length, m_servers[found->server].Setup().name);
        return length == 0 ? codes::kBufferTooSmall : NW_SUCCESS;
    }
    return codes::kInvalidParameter;
}

std::uint32_t Network::ScanConnRefs(std::uint32_t *iterator, std::uint32_t *reference) const
{
    if (iterator == nullptr) {
        return codes::kInvalidParameter;
    }
    if (*iterator >= m_connections.Count()) {
        return NW_ERR_NO_MORE_ENTRIES;
    }
    text::PutIfWanted(reference, m_connections.At((*iterator)++).reference);
    return NW_SUCCESS;
}

std::uint32_t Network::GetAllConnRefInfo(std::uint32_t reference, std::uint32_t infoVersion,
                                         std::uint8_t *info) const
{
    if (infoVersion != 1 || info == nullptr) {
        return codes::kInvalidParameter;
    }
    const Connection *found = m_connections.ByReference(reference);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    std::memset(info, 0, NW_CONN_REF_INFO_SIZE);
    text::PutLittleEndian32(info, found->reference);
    text::PutLittleEndian32(info + NW_CONN_REF_INFO_VALUE, found->number);
    text::CopyBounded(reinterpret_cast<char *>(info + NW_CONN_REF_INFO_NAME),
                      NW_CONN_REF_INFO_SIZE - NW_CONN_REF_INFO_NAME, m_servers[found->server].Setup().name);
    return NW_SUCCESS;
}

std::uint32_t Network::OpenConnByName(const char *name, std::uint32_t *connection) const
{
    const Connection *found = connectionOf(name);
    if (found == nullptr) {
        return NW_ERR_NO_SUCH_OBJECT;
    }
    text::PutIfWanted(connection, found->handle);
    return NW_SUCCESS;
}

std::uint32_t Network::SetPrefServerName(const char *name)
{
    const Connection *found = connectionOf(name);
    if (found == nullptr) {
        return NW_ERR_SERVER_UNKNOWN;
    }
    m_connections.SetPrimary(found->handle);
    return NW_SUCCESS;
}

std::uint32_t Network::IsDSServer(std::uint32_t connection, char *treeName)
{
    const Connection *found = m_connections.ByHandle(connection);
    const bool inTree = found != nullptr && m_servers[found->server].Setup().inTree;
    text::CopyBounded(treeName, NW_NAME_BUFFER_SIZE, inTree ? m_scenario.tree : "");
    return inTree ? 1 : 0;
}

std::uint32_t Network::MapNameToID(std::uint32_t context, std::uint32_t connection, const char *name,
                                   std::uint32_t *objectID)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    if (!m_servers[found->server].Setup().inTree) {
        return NW_ERR_NOT_SUPPORTED;
    }
    return m_directory.ObjectID(context, name, objectID);
}

std::uint32_t Network::AuditGetObjectID(std::uint32_t context, const char *name, std::uint32_t *connection,
                                        std::uint32_t *objectID)
{
    const Connection *primary = m_connections.Primary();
    if (primary == nullptr) {
        return NW_ERR_INVALID_CONNECTION;
    }
    text::PutIfWanted(connection, primary->handle);
    return m_directory.ObjectID(context, name, objectID);
}

std::uint32_t Network::statistics(std::uint32_t connection, std::uint8_t *record,
                                  ServerState::Request request)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr || record == nullptr) {
        return found == nullptr ? NW_ERR_INVALID_CONNECTION : codes::kInvalidParameter;
    }
    return m_servers[found->server].Statistics(m_clock(), record, request);
}

std::uint64_t Network::now() const
{
    return m_clock() / 1000;
}

const Connection *Network::primary(std::uint32_t &code) const
{
    const Connection *found = m_connections.Primary();
    if (m_scenario.primaryFailure != 0) {
        code = m_scenario.primaryFailure;
        return nullptr;
    }
    code = found == nullptr ? NW_ERR_INVALID_CONNECTION : NW_SUCCESS;
    return found;
}

ServerState *Network::answering(std::uint32_t connection, std::uint32_t &code)
{
    const Connection *found = m_connections.ByHandle(connection);
    if (found == nullptr) {
        code = NW_ERR_INVALID_CONNECTION;
        return nullptr;
    }
    ServerState &server = m_servers[found->server];
    if (!server.Answering(now())) {
        code = codes::kServerNotResponding;
        return nullptr;
    }
    return &server;
}

const Connection *Network::connectionOf(const char *name) const
{
    const std::string wanted = text::ReadBounded(name, kMaxNameInput);
    for (std::size_t server = 0; server < m_servers.size(); ++server) {
        if (!wanted.empty() && text::EqualNoCase(m_servers[server].Setup().name, wanted)) {
            return m_connections.FirstOfServer(server);
        }
    }
    return nullptr;
}

std::uint32_t Network::binderyID(const ServerState &server, const std::string &name, std::uint16_t type) const
{
    const std::string &serverName = server.Setup().name;
    if (const BinderySetup *scripted = binderyObject(server, name, type)) {
        return scripted->id != 0 ? scripted->id
                                 : (text::Hash(serverName + "/" + scripted->name) & 0x00FFFFFFu) | 0x0B000000u;
    }
    const bool known = (type == kTypeUser && text::EqualNoCase(name, m_scenario.BinderyUser())) ||
                       (type == kTypeGroup && text::EqualNoCase(name, "EVERYONE")) ||
                       (type == kTypeFileServer && text::EqualNoCase(name, serverName));
    // Bindery IDs are per server; the high byte keeps them clear of 0.
    return known ? (text::Hash(serverName + "/" + text::Upper(name)) & 0x00FFFFFFu) | 0x0A000000u : 0;
}

const BinderySetup *Network::binderyObject(const ServerState &server, const std::string &name,
                                           std::uint16_t type) const
{
    const auto found = std::ranges::find_if(m_scenario.bindery, [&](const BinderySetup &b) {
        return b.type == type && text::EqualNoCase(b.name, name) && text::EqualNoCase(b.server, server.Setup().name);
    });
    return found == m_scenario.bindery.end() ? nullptr : &*found;
}


} // namespace nwsim
