#pragma once

#include <cstdint>
#include <vector>

#include "nwsim/Connection.h"
#include "nwsim/ServerSetup.h"

namespace nwsim {

// The workstation's connection table. It is fixed when the client starts: opening a connection by name
// hands out the server's existing handle, so the table never grows however often the monitor asks.
class Connections
{
public:
    explicit Connections(const std::vector<ServerSetup> &servers);

    std::size_t Count() const { return m_connections.size(); }
    const Connection &At(std::size_t index) const { return m_connections[index]; }
    // Handle 0 stands for the primary connection; null when there is no such connection.
    Connection *ByHandle(std::uint32_t handle);
    const Connection *ByReference(std::uint32_t reference) const;
    const Connection *FirstOfServer(std::size_t server) const;
    const Connection *Primary() const;
    bool SetPrimary(std::uint32_t handle);

private:
    std::vector<Connection> m_connections;
    std::uint32_t m_primary = 0;
};

} // namespace nwsim
