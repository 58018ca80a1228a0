#include "netware/NWServer.h"

#include "netware/NWBuffer.h"
#include "netware/NWText.h"
#include "netware/nwlib.h"

namespace {

TNWResultCodes &codes()
{
    return TNWServer::Shared().codes;
}

void fillStatistics(TNWServerInfo &info, const TNWServerStats &stats)
{
    info.serverTime = stats.ServerTime();
    info.reserved1 = 0;
    info.utilization = uint8_t(stats.Utilization());
    info.reserved3 = 0;
    info.reserved4 = 0;
    info.packetsServiced = stats.PacketsServiced();
    info.packetsRouted = stats.PacketsRouted();
}

} // namespace

uint32_t ConnectionByName(const QString &name)
{
    TNWLib::State &lib = TNWLib::Shared();
    const NWCCOpenConnByName_fn openByName = lib.NWCCOpenConnByName.Bound();
    const NWGetConnectionHandle_fn getHandle = lib.NWGetConnectionHandle.Bound();
    const auto upperName = TNWBuffer<NW_CONN_INFO_NAME_SIZE>::FromText(UpperText(name));
    TNWResultCodes &serverCodes = codes();

    uint32_t handle = 0;
    if (openByName)
        serverCodes.lastResult = openByName(0, upperName.Chars(), 2, 1, 0, &handle);
    if ((!openByName || serverCodes.lastResult != 0 || handle == 0) && getHandle)
        serverCodes.lastResult = getHandle(upperName.Chars(), 0, &handle, nullptr);
    if (serverCodes.lastResult != 0) {
        serverCodes.lastError = serverCodes.lastResult;
        return 0;
    }
    return handle;
}

bool GetServerStats(uint32_t conn, TNWServerStats &record)
{
    const NWGetFileServerInfo_fn getInfo = TNWLib::Shared().NWGetFileServerInfo.Bound();
    return getInfo && codes().Record(getInfo(ResolveConnection(conn), record.Data())) == 0;
}

bool GetServerInformation(uint32_t conn, TNWServerInfo &info)
{
    TNWLib::State &lib = TNWLib::Shared();
    const NWGetFileServerInfo_fn getStats = lib.NWGetFileServerInfo.Bound();
    const NWGetFileServerInformation_fn getInformation = lib.NWGetFileServerInformation.Bound();
    if (!getStats || !getInformation)
        return false;
    conn = ResolveConnection(conn);
    // Filled in a copy, so that a failed call leaves the caller's record as it was.
    TNWServerInfo result = info;
    TNWBuffer<NW_NAME_BUFFER_SIZE> name;
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t revision = 0;
    if (getInformation(conn, name.Chars(), &major, &minor, &revision, &result.maxConnections,
                       &result.peakConnectionsUsed, &result.connectionsInUse, &result.volumes,
                       &result.sftLevel, &result.ttsLevel) != 0)
        return false;
    // Servers before version 4 do not report these statistics; their fields read 0.
    TNWServerStats stats;
    const bool statsRead = major < 4 || getStats(conn, stats.Data()) == 0;
    result.serverName = name.Text();
    result.version = QStringLiteral("%1.%2").arg(major).arg(minor);
    fillStatistics(result, stats);
    info = result;
    return statsRead;
}

bool SetServerDateTime(uint32_t conn, const QDateTime &value)
{
    const NWSetFileServerDateAndTime_fn setDateTime = TNWLib::Shared().NWSetFileServerDateAndTime.Bound();
    if (!setDateTime)
        return false;
    const QDate date = value.date();
    const QTime time = value.time();
    const int year = date.year() > 1900 ? date.year() - 1900 : date.year();
    const uint32_t result =
        setDateTime(ResolveConnection(conn), uint8_t(year), uint8_t(date.month()), uint8_t(date.day()),
                    uint8_t(time.hour()), uint8_t(time.minute()), uint8_t(time.second()));
    return codes().Record(result) == 0;
}
