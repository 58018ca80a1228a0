#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nwsim/Connections.h"
#include "nwsim/Scenario.h"

namespace nwsim {

// The workstation's own settings: drive letters and their mappings, the error mode, the connection
// table's size and the locale's unicode tables.
class Workstation
{
public:
    Workstation(const Scenario &scenario, const Connections &connections);

    std::uint32_t GetFirstDrive(std::uint16_t *drive) const;
    std::uint32_t GetDriveStatus(std::uint16_t drive, std::uint16_t pathFormat, std::uint16_t *status,
                                 std::uint32_t *connection, char *rootPath, char *relativePath,
                                 char *fullPath) const;
    std::uint32_t SetErrorMode(std::uint8_t mode, std::uint8_t *previousMode);
    std::uint32_t GetMaximumConnections(std::uint32_t *count) const;
    std::uint32_t LocaleConventions(std::uint8_t *info) const;
    std::uint32_t InitUnicodeTables(std::uint32_t country, std::uint32_t codePage);
    std::uint32_t FreeUnicodeTables();

private:
    struct Mapping
    {
        std::uint32_t connection = 0;
        std::string server;
        std::string volume;
        std::string directory;
    };

    std::array<Mapping, 27> m_drives;
    std::uint16_t m_firstDrive;
    std::uint8_t m_errorMode;
    bool m_unicodeLoaded = false;
};

} // namespace nwsim
