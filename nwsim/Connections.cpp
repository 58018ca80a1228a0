#include "nwsim/Connections.h"

#include <algorithm>

namespace nwsim {

namespace {

// References live in their own number range, so a handle passed where a reference belongs is caught.
constexpr std::uint32_t kReferenceBase = 0x100;

} // namespace

Connections::Connections(const std::vector<ServerSetup> &servers)
{
    // Every server's first connection comes before any second one: the later ones were opened later.
    int rounds = 0;
    for (const ServerSetup &setup : servers) {
        rounds = std::max(rounds, setup.connections);
    }
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t server = 0; server < servers.size(); ++server) {
            if (servers[server].connections > round) {
                const auto handle = std::uint32_t(m_connections.size() + 1);
                const auto number = std::uint16_t(2 + servers[server].seed % 180 + 7 * round);
                m_connections.push_back(
                    {handle, kReferenceBase + handle, server, number, servers[server].broadcastMode});
            }
        }
    }
    m_primary = m_connections.empty() ? 0 : 1;
}

Connection *Connections::ByHandle(std::uint32_t handle)
{
    const std::uint32_t wanted = handle == 0 ? m_primary : handle;
    if (wanted == 0 || wanted > m_connections.size()) {
        return nullptr;
    }
    return &m_connections[wanted - 1];
}

const Connection *Connections::ByReference(std::uint32_t reference) const
{
    const auto found = std::ranges::find(m_connections, reference, &Connection::reference);
    return found == m_connections.end() ? nullptr : &*found;
}

const Connection *Connections::FirstOfServer(std::size_t server) const
{
    const auto found = std::ranges::find(m_connections, server, &Connection::server);
    return found == m_connections.end() ? nullptr : &*found;
}

const Connection *Connections::Primary() const
{
    return m_primary == 0 ? nullptr : &m_connections[m_primary - 1];
}

bool Connections::SetPrimary(std::uint32_t handle)
{
    if (handle == 0 || handle > m_connections.size()) {
        return false;
    }
    m_primary = handle;
    return true;
}

} // namespace nwsim
