#pragma once

#include <cstdint>

#include <QString>

// Who is logged in and where: the identity queries and the choice of the preferred server. They sit above
// the client binding and the directory and server queries, which they combine.

// Bindery identity and rights. Object types are bindery type values in the client's byte order (user =
// 0x0100); names are upper-cased for the bindery.
uint32_t GetBinderyObjectID(uint32_t conn, const QString &name, uint16_t type);
// The first type, in a fixed search order, under which the name has an ID; 0 when none has.
uint16_t GetBinderyObjectType(uint32_t conn, const QString &name);
QString ObjectIDText(uint32_t conn, const QString &name, uint16_t type);
// The directory's "Full Name" while directory mode is on, else the bindery's IDENTIFICATION property, else
// the name itself in upper case.
QString GetFullName(uint32_t conn, const QString &name);
// Makes the server of that name the preferred one; conn is then its connection, or 0.
bool SetPreferredServer(const QString &name, uint32_t &conn);
