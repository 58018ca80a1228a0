#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nwsim/ServerSetup.h"

namespace nwsim {

// A whole simulated network as the workstation sees it. The first server holds the primary connection;
// an empty server list is a workstation without any connection.
struct Scenario
{
    std::vector<ServerSetup> servers;
    std::vector<DriveSetup> drives;
    std::vector<BinderySetup> bindery;
    std::vector<DsObjectSetup> objects;
    std::vector<DsAttributeSetup> attributes;
    // 1 = A.
    std::uint16_t firstDrive = 6;
    // 0 interactive, 1 NetWare, 2 DOS.
    std::uint8_t errorMode = 0;
    std::string tree;
    std::string login = "CN=SUPERVISOR";
    std::string fullName;
    std::string context;
    std::uint32_t callsInitFailure = 0;
    std::uint32_t primaryFailure = 0;

    static Scenario BuiltIn();
    // The login's name in every server's bindery: its first part, untyped, in upper case.
    std::string BinderyUser() const;
};

} // namespace nwsim
