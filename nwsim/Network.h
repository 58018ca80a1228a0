#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "nwsim/Connections.h"
#include "nwsim/Directory.h"
#include "nwsim/Scenario.h"
#include "nwsim/ServerState.h"
#include "nwsim/Workstation.h"

namespace nwsim {

// The one simulated client state that all four client libraries share. Each entry point of the calls
// and connection libraries has its operation here; directory and workstation services live in the
// objects Dir() and Station() give. Like the client it stands in for, it is used from one thread.
class Network
{
public:
    // Milliseconds since the client started; tests supply their own.
    using Clock = std::function<std::uint64_t()>;

    explicit Network(Scenario scenario, Clock clock = {});

    // The process-wide client, created on first use from NWSIM_SCENARIO or the built-in scenario.
    static Network &Instance();
    // Replaces the process-wide client, so a test starts from a known network.
    static void Reset(Scenario scenario, Clock clock = {});
    // A scenario file that cannot be read or parsed is reported once on stderr and gives an empty network.
    static Scenario ScenarioFromEnvironment();

    Directory &Dir() { return m_directory; }
    Workstation &Station() { return m_station; }

    std::uint32_t CallsInit() const;
    std::uint32_t GetPrimaryConnectionID(std::uint32_t *connection) const;
    std::uint32_t SetPrimaryConnectionID(std::uint32_t connection);
    std::uint32_t GetConnectionNumber(std::uint32_t connection, std::uint16_t *number);
    std::uint32_t GetConnectionInformation(std::uint32_t connection, std::uint16_t number, char *name,
                                           std::uint16_t *objectType, std::uint32_t *objectID,
                                           std::uint8_t *loginTime);
    std::uint32_t GetConnectionList(std::uint16_t mode, std::uint16_t *list, std::uint16_t listSize,
                                    std::uint16_t *count) const;
    std::uint32_t GetFileServerName(std::uint32_t connection, char *name);
    std::uint32_t GetConnectionHandle(const char *name, std::uint32_t *connection) const;
    std::uint32_t GetFileServerInfo(std::uint32_t connection, std::uint8_t *record);
    // The same record for the older statistics requests, which servers of every version answer.
    std::uint32_t GetFileServerCounters(std::uint32_t connection, std::uint8_t *record);
    // Whether the connection's server answers now, or has stopped.
    bool Answering(std::uint32_t connection);
    std::uint32_t GetFileServerInformation(std::uint32_t connection, char *name, std::uint8_t *majorVersion,
                                           std::uint8_t *minorVersion, std::uint8_t *revision,
                                           std::uint16_t *maxConnections, std::uint16_t *maxConnectionsUsed,
                                           std::uint16_t *connectionsInUse, std::uint16_t *volumes,
                                           std::uint8_t *sftLevel, std::uint8_t *ttsLevel);
    std::uint32_t GetFileServerDateAndTime(std::uint32_t connection, std::uint8_t *dateTime);
    std::uint32_t SetFileServerDateAndTime(std::uint32_t connection, const std::uint8_t *dateTime);
    std::uint32_t CheckConsolePrivileges(std::uint32_t connection);
    // A console operator is a manager too unless the scenario says otherwise.
    std::uint32_t IsManager(std::uint32_t connection);
    std::uint32_t GetObjectID(std::uint32_t connection, const char *objectName, std::uint16_t objectType,
                              std::uint32_t *objectID);
    std::uint32_t ReadPropertyValue(std::uint32_t connection, const char *objectName,
                                    std::uint16_t objectType, const char *propertyName, std::uint8_t segment,
                                    std::uint8_t *segmentData, std::uint8_t *moreSegments,
                                    std::uint8_t *flags);
    std::uint32_t SetBroadcastMode(std::uint32_t connection, std::uint16_t mode);

    std::uint32_t GetPrimConnRef(std::uint32_t *reference) const;
    std::uint32_t OpenConnByRef(std::uint32_t reference, std::uint32_t *connection) const;
    std::uint32_t GetConnInfo(std::uint32_t connection, std::uint32_t infoType, std::uint32_t length,
                              void *buffer);
    std::uint32_t ScanConnRefs(std::uint32_t *iterator, std::uint32_t *reference) const;
    std::uint32_t GetAllConnRefInfo(std::uint32_t reference, std::uint32_t infoVersion,
                                    std::uint8_t *info) const;
    std::uint32_t OpenConnByName(const char *name, std::uint32_t *connection) const;
    std::uint32_t SetPrefServerName(const char *name);

    std::uint32_t IsDSServer(std::uint32_t connection, char *treeName);
    std::uint32_t MapNameToID(std::uint32_t context, std::uint32_t connection, const char *name,
                              std::uint32_t *objectID);
    std::uint32_t AuditGetObjectID(std::uint32_t context, const char *name, std::uint32_t *connection,
                                   std::uint32_t *objectID);

private:
    // Whole seconds since the client started.
    std::uint64_t now() const;
    // The primary connection, or null with the code every primary-connection call then fails with.
    const Connection *primary(std::uint32_t &code) const;
    ServerState *answering(std::uint32_t connection, std::uint32_t &code);
    std::uint32_t statistics(std::uint32_t connection, std::uint8_t *record, ServerState::Request request);
    const Connection *connectionOf(const char *name) const;
    std::uint32_t binderyID(const ServerState &server, const std::string &name, std::uint16_t type) const;
    const BinderySetup *binderyObject(const ServerState &server, const std::string &name,
                                      std::uint16_t type) const;

    Scenario m_scenario;
    Clock m_clock;
    std::vector<ServerState> m_servers;
    Connections m_connections;
    Workstation m_station;
    Directory m_directory;
    std::int64_t m_startTime;
};

} // namespace nwsim
