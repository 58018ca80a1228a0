#include "nwsim/Workstation.h"

#include <cstring>

#include "netware/nwclient.h"
#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

constexpr std::uint16_t kStatusLocal = 0x0001;
constexpr std::uint16_t kStatusNetwork = 0x0002;
constexpr std::uint16_t kFormatNetWare = 0;
constexpr std::uint16_t kFormatUnc = 1;
constexpr std::uint8_t kLastErrorMode = 2;
constexpr std::uint32_t kMaximumConnections = 16;
constexpr std::uint32_t kCodePage = 437;
constexpr std::uint32_t kCountry = 1;

} // namespace

Workstation::Workstation(const Scenario &scenario, const Connections &connections)
    : m_firstDrive(scenario.firstDrive), m_errorMode(scenario.errorMode)
{
    for (const DriveSetup &drive : scenario.drives) {
        for (std::size_t server = 0; server < scenario.servers.size(); ++server) {
            const Connection *connection = connections.FirstOfServer(server);
            if (connection != nullptr && text::EqualNoCase(scenario.servers[server].name, drive.server)) {
                const auto colon = drive.path.find(':');
                const std::string volume = drive.path.substr(0, colon);
                const std::string directory = colon == std::string::npos ? "" : drive.path.substr(colon + 1);
                m_drives[std::size_t(drive.letter - 'A' + 1)] = {
                    connection->handle, scenario.servers[server].name, volume, directory};
            }
        }
    }
}

std::uint32_t Workstation::GetFirstDrive(std::uint16_t *drive) const
{
    text::PutIfWanted(drive, m_firstDrive);
    return NW_SUCCESS;
}

std::uint32_t Workstation::GetDriveStatus(std::uint16_t drive, std::uint16_t pathFormat,
                                          std::uint16_t *status, std::uint32_t *connection, char *rootPath,
                                          char *relativePath, char *fullPath) const
{
    if (drive == 0 || drive >= m_drives.size() ||
        (pathFormat != kFormatNetWare && pathFormat != kFormatUnc)) {
        return codes::kInvalidParameter;
    }
    const Mapping &mapping = m_drives[drive];
    const bool mapped = mapping.connection != 0;
    text::PutIfWanted(status, mapped ? kStatusNetwork
                                     : (drive < m_firstDrive ? kStatusLocal : std::uint16_t(0)));
    text::PutIfWanted(connection, mapping.connection);
    std::string root;
    std::string full;
    if (mapped && pathFormat == kFormatNetWare) {
        root = mapping.server + "/" + mapping.volume + ":";
        full = root + mapping.directory;
    } else if (mapped) {
        root = "\\\\" + mapping.server + "\\" + mapping.volume;
        full = mapping.directory.empty() ? root : root + "\\" + mapping.directory;
    }
    text::CopyBounded(rootPath, NW_PATH_SIZE, root);
    text::CopyBounded(relativePath, NW_PATH_SIZE, mapping.directory);
    text::CopyBounded(fullPath, NW_PATH_SIZE, full);
    return NW_SUCCESS;
}

std::uint32_t Workstation::SetErrorMode(std::uint8_t mode, std::uint8_t *previousMode)
{
    if (mode > kLastErrorMode) {
        return codes::kInvalidParameter;
    }
    text::PutIfWanted(previousMode, m_errorMode);
    m_errorMode = mode;
    return NW_SUCCESS;
}

std::uint32_t Workstation::GetMaximumConnections(std::uint32_t *count) const
{
    text::PutIfWanted(count, kMaximumConnections);
    return NW_SUCCESS;
}

std::uint32_t Workstation::LocaleConventions(std::uint8_t *info) const
{
    if (info == nullptr) {
        return codes::kInvalidParameter;
    }
    std::memset(info, 0, NW_LOCALE_INFO_SIZE);
    text::PutLittleEndian32(info + NW_LOCALE_CODE_PAGE, kCodePage);
    text::PutLittleEndian32(info + NW_LOCALE_COUNTRY, kCountry);
    return NW_SUCCESS;
}

std::uint32_t Workstation::InitUnicodeTables(std::uint32_t country, std::uint32_t codePage)
{
    if (country == 0 || codePage == 0) {
        return codes::kInvalidParameter;
    }
    m_unicodeLoaded = true;
    return NW_SUCCESS;
}

std::uint32_t Workstation::FreeUnicodeTables()
{
    if (!m_unicodeLoaded) {
        return codes::kInvalidParameter;
    }
    m_unicodeLoaded = false;
    return NW_SUCCESS;
}

} // namespace nwsim
