#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "ncp/Connection.h"
#include "ncp/ServersFile.h"
#include "ncp/Trace.h"

namespace ncp {

// The one client state the four libraries share: a connection for each line of the servers file, and an
// operation for each entry point. Handles are the lines' places (1 for the first); 0 stands for the
// primary connection. Calls that need the server return within kCallTime whatever it does.
class Client
{
public:
    static constexpr Clock::duration kCallTime = std::chrono::milliseconds(200);
    // The first scan of the connections waits this long after the client started for servers to answer.
    static constexpr Clock::duration kStartWait = std::chrono::seconds(2);

    // trace may be null; initCode is what NWCallsInit reports (nonzero when the servers file was bad).
    Client(ServersConfig config, std::unique_ptr<Trace> trace, std::uint32_t initCode = 0);
    // Logs out and closes every connection, waiting for each.
    ~Client();
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    // The process's client, made on first use from the servers file that SEMBROLIN_SERVERS names (or the
    // default one), traced to SEMBROLIN_NCP_TRACE or the file's trace line. It lives until the process ends;
    // then it logs out of every server, waiting for none longer than a moment.
    static Client &Instance();
    // Asks every connection to log out and end, and waits at most until the deadline.
    void Farewell(Clock::time_point deadline);

    std::uint32_t CallsInit() const { return m_initCode; }
    std::uint32_t GetPrimaryConnectionID(std::uint32_t *connection) const;
    std::uint32_t SetPrimaryConnectionID(std::uint32_t connection);
    std::uint32_t GetConnectionNumber(std::uint32_t connection, std::uint16_t *number) const;
    std::uint32_t GetConnectionInformation(std::uint32_t connection, std::uint16_t number, char *name,
                                           std::uint16_t *objectType, std::uint32_t *objectID,
                                           std::uint8_t *loginTime) const;
    std::uint32_t GetConnectionList(std::uint16_t mode, std::uint16_t *list, std::uint16_t listSize,
                                    std::uint16_t *count) const;
    std::uint32_t GetFileServerName(std::uint32_t connection, char *name) const;
    std::uint32_t GetConnectionHandle(const char *name, std::uint32_t *connection) const;
    std::uint32_t GetFileServerInfo(std::uint32_t connection, std::uint8_t *record) const;
    std::uint32_t GetFileServerInformation(std::uint32_t connection, char *name, std::uint8_t *majorVersion,
                                           std::uint8_t *minorVersion, std::uint8_t *revision,
                                           std::uint16_t *maxConnections, std::uint16_t *maxConnectionsUsed,
                                           std::uint16_t *connectionsInUse, std::uint16_t *volumes,
                                           std::uint8_t *sftLevel, std::uint8_t *ttsLevel) const;
    std::uint32_t GetFileServerDateAndTime(std::uint32_t connection, std::uint8_t *dateTime) const;
    std::uint32_t SetFileServerDateAndTime(std::uint32_t connection, const std::uint8_t *dateTime) const;
    std::uint32_t GetMaximumConnections(std::uint32_t *count) const;
    std::uint32_t CheckConsolePrivileges(std::uint32_t connection) const;
    std::uint32_t IsManager(std::uint32_t connection) const;
    std::uint32_t GetObjectID(std::uint32_t connection, const char *objectName, std::uint16_t objectType,
                              std::uint32_t *objectID) const;
    std::uint32_t SetBroadcastMode(std::uint32_t connection, std::uint16_t mode);
    std::uint32_t SetErrorMode(std::uint8_t mode, std::uint8_t *previousMode);

    std::uint32_t GetPrimConnRef(std::uint32_t *reference) const;
    std::uint32_t OpenConnByRef(std::uint32_t reference, std::uint32_t *connection) const;
    std::uint32_t GetConnInfo(std::uint32_t connection, std::uint32_t infoType, std::uint32_t length,
                              void *buffer) const;
    std::uint32_t ScanConnRefs(std::uint32_t *iterator, std::uint32_t *reference) const;
    std::uint32_t GetAllConnRefInfo(std::uint32_t reference, std::uint32_t infoVersion,
                                    std::uint8_t *info) const;
    std::uint32_t OpenConnByName(const char *name, std::uint32_t *connection) const;
    std::uint32_t SetPrefServerName(const char *name);

    // Nonzero, with the tree's name, for a directory server.
    std::uint32_t IsDSServer(std::uint32_t connection, char *treeName) const;

private:
    // The connection behind a handle (0: the primary one); its place in the table, or none.
    std::optional<std::size_t> place(std::uint32_t handle) const;
    std::optional<std::size_t> placeOfReference(std::uint32_t reference) const;
    std::optional<std::size_t> placeOfName(const char *name) const;
    Connection::Result call(std::uint32_t handle, Request request) const;

    std::unique_ptr<Trace> m_trace;
    std::uint32_t m_initCode;
    Clock::time_point m_started;
    std::vector<std::unique_ptr<Connection>> m_connections;
    mutable std::mutex m_mutex;
    std::size_t m_primary;
    std::vector<std::uint16_t> m_broadcastModes;
    std::uint8_t m_errorMode = 0;
};

} // namespace ncp
