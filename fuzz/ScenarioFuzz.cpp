#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "netware/nwclient.h"
#include "nwsim/Network.h"
#include "nwsim/ScenarioError.h"
#include "nwsim/ScenarioParser.h"

namespace {

// Each buffer is a heap block of exactly the contract's size, so a write past it is a finding.
using Buffer = std::vector<char>;

std::uint8_t *Raw(Buffer &buffer)
{
    return reinterpret_cast<std::uint8_t *>(buffer.data());
}

void QueryConnection(nwsim::Network &network, std::uint32_t handle)
{
    Buffer name(NW_NAME_BUFFER_SIZE);
    if (network.GetFileServerName(handle, name.data()) == NW_SUCCESS) {
        std::uint32_t byName = 0;
        network.GetConnectionHandle(name.data(), &byName);
        network.OpenConnByName(name.data(), &byName);
        network.SetPrefServerName(name.data());
    }

    Buffer info(NW_NAME_BUFFER_SIZE);
    std::uint8_t major = 0, minor = 0, revision = 0, sft = 0, tts = 0;
    std::uint16_t maxConnections = 0, maxUsed = 0, inUse = 0, volumes = 0;
    network.GetFileServerInformation(handle, info.data(), &major, &minor, &revision, &maxConnections,
                                     &maxUsed, &inUse, &volumes, &sft, &tts);

    Buffer record(NW_SERVER_INFO_SIZE);
    network.GetFileServerInfo(handle, Raw(record));

    Buffer dateTime(NW_DATE_TIME_SIZE);
    network.GetFileServerDateAndTime(handle, Raw(dateTime));

    network.CheckConsolePrivileges(handle);

    Buffer connName(NW_CONN_INFO_NAME_SIZE);
    network.GetConnInfo(handle, NW_CONN_INFO_SERVER_NAME, NW_CONN_INFO_NAME_SIZE, connName.data());
    std::uint32_t number32 = 0;
    network.GetConnInfo(handle, NW_CONN_INFO_CONN_NUMBER, sizeof number32, &number32);
    std::uint16_t broadcast = 0;
    network.GetConnInfo(handle, NW_CONN_INFO_BROADCAST_STATE, sizeof broadcast, &broadcast);

    Buffer tree(NW_NAME_BUFFER_SIZE);
    network.IsDSServer(handle, tree.data());

    std::uint16_t number = 0;
    if (network.GetConnectionNumber(handle, &number) == NW_SUCCESS) {
        Buffer user(NW_NAME_BUFFER_SIZE);
        Buffer loginTime(NW_LOGIN_TIME_SIZE);
        std::uint16_t objectType = 0;
        std::uint32_t objectID = 0;
        network.GetConnectionInformation(handle, number, user.data(), &objectType, &objectID, Raw(loginTime));
    }
}

void QueryNetwork(nwsim::Network &network)
{
    network.CallsInit();
    std::uint32_t primary = 0;
    network.GetPrimaryConnectionID(&primary);
    std::uint32_t reference = 0;
    network.GetPrimConnRef(&reference);

    std::array<std::uint16_t, NW_SERVER_LIST_MAX> list{};
    std::uint16_t count = 0;
    if (network.GetConnectionList(0, list.data(), std::uint16_t(list.size()), &count) == NW_SUCCESS) {
        if (count > list.size())
            __builtin_trap();
        for (std::uint16_t i = 0; i < count; ++i)
            QueryConnection(network, list[i]);
    }
    QueryConnection(network, 0);

    // The scan ends, however the connections were described.
    std::uint32_t iterator = 0;
    for (int scanned = 0; network.ScanConnRefs(&iterator, &reference) == NW_SUCCESS; ++scanned) {
        if (scanned > 8 * 1024)
            __builtin_trap();
        Buffer info(NW_CONN_REF_INFO_SIZE);
        network.GetAllConnRefInfo(reference, 1, Raw(info));
        std::uint32_t opened = 0;
        network.OpenConnByRef(reference, &opened);
    }

    nwsim::Workstation &station = network.Station();
    std::uint16_t drive = 0;
    station.GetFirstDrive(&drive);
    for (std::uint16_t letter = 1; letter <= 26; ++letter) {
        Buffer root(NW_PATH_SIZE), relative(NW_PATH_SIZE), full(NW_PATH_SIZE);
        std::uint16_t status = 0;
        std::uint32_t connection = 0;
        station.GetDriveStatus(letter, 0, &status, &connection, root.data(), relative.data(), full.data());
    }
}

} // namespace

// The scenario file: parsed, and when it is understood, the network built from it and asked everything a
// monitor asks, at seconds that cross the stops and restarts a short scenario sets. Request counters are
// summed second by second, as a monitor polling once a second sees them, so the seconds stay a few minutes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::istringstream input(std::string(reinterpret_cast<const char *>(data), size));
    nwsim::Scenario scenario;
    try {
        scenario = nwsim::ScenarioParser::Parse(input);
    } catch (const nwsim::ScenarioError &) {
        return 0;
    }
    std::uint64_t second = 0;
    nwsim::Network network(std::move(scenario), [&second] { return second * 1000; });
    for (const std::uint64_t at : std::initializer_list<std::uint64_t>{0, 1, 2, 30, 61, 300}) {
        second = at;
        QueryNetwork(network);
    }
    return 0;
}
