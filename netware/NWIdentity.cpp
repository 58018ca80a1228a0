#include "netware/NWIdentity.h"

#include <array>

#include "netware/NWBuffer.h"
#include "netware/NWServer.h"
#include "netware/NWText.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"

namespace {

using TObjectName = TNWBuffer<NW_OBJECT_NAME_SIZE>;

// Print server before file server, as the types are tried.
constexpr std::array<uint16_t, 14> kBinderyTypeSearchOrder{0x0100, 0x0200, 0x0300, 0x0700, 0x0400,
                                                           0x0500, 0x0600, 0x0800, 0x0900, 0x0A00,
                                                           0x0B00, 0x2100, 0x2600, 0x2700};

} // namespace

uint32_t GetBinderyObjectID(uint32_t conn, const QString &name, uint16_t type)
{
    const NWGetObjectID_fn getObjectID = TNWLib::Shared().NWGetObjectID.Bound();
    if (!getObjectID)
        return 0;
    const auto object = TObjectName::FromText(UpperText(name));
    uint32_t id = 0;
    TNWResultCodes &lib = TNWLib::Shared().codes;
    lib.lastResult = getObjectID(ResolveConnection(conn), object.Chars(), type, &id);
    if (lib.lastResult == 0)
        return id;
    // A directory server answers for the objects of its tree as well.
    if (TNWLib::Shared().directoryMode)
        return AuditObjectID(conn, name);
    lib.lastError = lib.lastResult;
    return 0;
}

uint16_t GetBinderyObjectType(uint32_t conn, const QString &name)
{
    for (const uint16_t type : kBinderyTypeSearchOrder)
        if (GetBinderyObjectID(conn, name, type) != 0)
            return type;
    return 0;
}

QString ObjectIDText(uint32_t conn, const QString &name, uint16_t type)
{
    if (TNWLib::Shared().directoryMode) {
        const QString mapped = MapNameToID(conn, name);
        if (mapped != QLatin1String("0"))
            return mapped;
    }
    const NWGetObjectID_fn getObjectID = TNWLib::Shared().NWGetObjectID.Bound();
    const auto object = TObjectName::FromText(UpperText(name));
    uint32_t id = 0;
    if (!getObjectID || getObjectID(ResolveConnection(conn), object.Chars(), type, &id) != 0)
        return QStringLiteral("0");
    return IDText(LongSwap(id));
}

QString GetFullName(uint32_t conn, const QString &name)
{
    QString fullName;
    if (TNWLib::Shared().directoryMode &&
        ReadObjectAttribute(QString(), name, kNWAttributeFullName, fullName))
        return fullName;
    const QString upperName = UpperText(StripBoth(name));
    const NWReadPropertyValue_fn readProperty = TNWLib::Shared().NWReadPropertyValue.Bound();
    if (!readProperty)
        return upperName;
    const uint16_t type = GetBinderyObjectType(conn, name);
    const auto object = TObjectName::FromText(upperName);
    const auto property = TNWBuffer<16>::FromText(QStringLiteral("IDENTIFICATION"));
    TNWBuffer<NW_PROPERTY_VALUE_SIZE> segment;
    uint8_t moreSegments = 0;
    uint8_t flags = 0;
    const uint32_t result = readProperty(ResolveConnection(conn), object.Chars(), type, property.Chars(), 1,
                                         segment.Bytes(), &moreSegments, &flags);
    return result == 0 ? segment.Text() : upperName;
}

bool SetPreferredServer(const QString &name, uint32_t &conn)
{
    TNWLib::State &state = TNWLib::Shared();
    const auto server = TObjectName::FromText(name);
    uint32_t result = 0;
    if (const NWCCSetPrefServerName_fn setPreferred = state.NWCCSetPrefServerName.Bound()) {
        result = setPreferred(server.Chars());
    } else {
        const NWGetConnectionHandle_fn getHandle = state.NWGetConnectionHandle.Bound();
        const NWSetPrimaryConnectionID_fn setPrimary = state.NWSetPrimaryConnectionID.Bound();
        if (!getHandle || !setPrimary)
            return false;
        uint32_t handle = 0;
        result = getHandle(server.Chars(), 0, &handle, nullptr);
        if (result == 0)
            result = setPrimary(handle);
    }
    if (state.codes.Record(result) != 0)
        return false;
    conn = ConnectionByName(name);
    if (conn != 0)
        state.directoryMode = IsDirectoryServer(conn);
    state.primaryConnection = conn;
    return true;
}
