#include "netware/nwlib.h"

#include <algorithm>
#include <array>

#include "netware/DateConversionError.h"
#include "netware/NWBuffer.h"
#include "netware/NWText.h"

namespace {

// Far beyond any client's connection table; a client whose scan never ends cannot grow the list forever.
constexpr int kMaxConnectionReferences = 4096;
constexpr int kDriveA = 1;
constexpr int kDriveZ = 26;
// Letters are "@" + drive number, so 1 gives A.
constexpr char16_t kDriveLetterBase = u'@';

TNWResultCodes &codes()
{
    return TNWLib::Shared().codes;
}

TNWServerList scanConnectionReferences(TNWLib::State &state, NWCCScanConnRefs_fn scan)
{
    TNWServerList list;
    const NWCCGetAllConnRefInfo_fn getInfo = state.NWCCGetAllConnRefInfo.Bound();
    if (!getInfo)
        return list;
    uint32_t iterator = 0;
    for (int scanned = 0; scanned < kMaxConnectionReferences; ++scanned) {
        uint32_t reference = 0;
        if (state.codes.Record(scan(&iterator, &reference)) != 0)
            break;
        TNWBuffer<NW_CONN_REF_INFO_SIZE> info;
        if (state.codes.Record(getInfo(reference, 1, info.Bytes())) != 0)
            continue;
        list.push_back({info.Text(NW_CONN_REF_INFO_NAME), info.UInt32(NW_CONN_REF_INFO_VALUE)});
    }
    return list;
}

TNWServerList listConnections(TNWLib::State &state)
{
    TNWServerList list;
    const NWGetConnectionList_fn getList = state.NWGetConnectionList.Fresh();
    if (!getList)
        return list;
    std::array<uint16_t, NW_SERVER_LIST_MAX> handles{};
    uint16_t count = 0;
    if (getList(0, handles.data(), NW_SERVER_LIST_MAX, &count) != 0)
        return list;
    // The count comes from the client: only entries inside the list can be real, and an entry the client
    // left as it was (0) is no connection, although 0 would stand for the primary one everywhere else.
    const auto entries = std::min<std::size_t>(count, handles.size());
    for (std::size_t i = 0; i < entries; ++i)
        if (handles[i] != 0)
            list.push_back({GetConnectionServerName(handles[i]), handles[i]});
    return list;
}

QChar driveLetter(int drive)
{
    return drive >= kDriveA && drive <= kDriveZ ? QChar(char16_t(kDriveLetterBase + drive)) : QChar();
}

} // namespace

TNWLib::TNWLib()
{
    State &state = Shared();
    state.primaryConnection = 0;
    state.codes.lastError = 0;
    state.calls = nullptr;
    state.connections = nullptr;
    state.directoryMode = false;

    TLibraryLoader &loader = TLibraryLoader::Current();
    state.calls = loader.LoadLibrary(NW_LIB_CALLS);
    if (state.calls)
        state.connections = loader.LoadLibrary(NW_LIB_CONNECTIONS);
    if (!state.connections) {
        state.codes.lastError = TNWResultCodes::kLibraryMissing;
        return;
    }
    if (const NWCallsInit_fn init = state.NWCallsInit.Fresh()) {
        uint32_t reserved = 0;
        if (init(&reserved, &reserved) == 0)
            state.primaryConnection = GetPrimaryConnection();
    }
}

uint32_t ResolveConnection(uint32_t conn)
{
    return conn ? conn : GetPrimaryConnection();
}

uint32_t GetPrimaryConnection()
{
    TNWLib::State &state = TNWLib::Shared();
    if (state.primaryConnection)
        return state.primaryConnection;
    uint32_t result = TNWResultCodes::kNoResult;
    uint32_t handle = 0;
    if (const NWCCGetPrimConnRef_fn getReference = state.NWCCGetPrimConnRef.Bound()) {
        uint32_t reference = 0;
        if (getReference(&reference) == 0)
            if (const NWCCOpenConnByRef_fn open = state.NWCCOpenConnByRef.Fresh())
                result = open(reference, 1, 0, &handle);
    } else if (const NWGetPrimaryConnectionID_fn getPrimary = state.NWGetPrimaryConnectionID.Bound()) {
        result = getPrimary(&handle);
    }
    return state.codes.Record(result) == 0 ? handle : 0;
}

bool ClientAvailable()
{
    const TNWLib::State &state = TNWLib::Shared();
    return state.calls && state.connections && GetPrimaryConnection() != 0;
}

uint16_t GetConnectionNumber(uint32_t conn)
{
    TNWLib::State &state = TNWLib::Shared();
    conn = ResolveConnection(conn);
    uint32_t result = TNWResultCodes::kNoResult;
    uint32_t value = 0;
    if (const NWCCGetConnInfo_fn getInfo = state.NWCCGetConnInfo.Bound()) {
        result = getInfo(conn, NW_CONN_INFO_CONN_NUMBER, sizeof value, &value);
    } else if (const NWGetConnectionNumber_fn getNumber = state.NWGetConnectionNumber.Fresh()) {
        uint16_t number = 0;
        result = getNumber(conn, &number);
        value = number;
    }
    return state.codes.Record(result) == 0 ? uint16_t(value) : 0;
}

QString GetLoginName(uint32_t conn)
{
    const NWGetConnectionInformation_fn getInformation = TNWLib::Shared().NWGetConnectionInformation.Bound();
    if (!getInformation)
        return {};
    conn = ResolveConnection(conn);
    const uint16_t number = GetConnectionNumber(conn);
    TNWBuffer<NW_NAME_BUFFER_SIZE> name;
    TNWBuffer<NW_LOGIN_TIME_SIZE> loginTime;
    uint16_t objectType = 0;
    uint32_t objectID = 0;
    const uint32_t result =
        getInformation(conn, number, name.Chars(), &objectType, &objectID, loginTime.Bytes());
    return codes().Record(result) == 0 ? name.Text() : QString();
}

uint32_t LongSwap(uint32_t value)
{
    const NWLongSwap_fn swap = TNWLib::Shared().NWLongSwap.Bound();
    return swap ? swap(value) : 0;
}

TNWServerList GetServerList()
{
    TNWLib::State &state = TNWLib::Shared();
    if (const NWCCScanConnRefs_fn scan = state.NWCCScanConnRefs.Bound())
        return scanConnectionReferences(state, scan);
    return listConnections(state);
}

QString GetConnectionServerName(uint32_t conn)
{
    TNWLib::State &state = TNWLib::Shared();
    conn = ResolveConnection(conn);
    uint32_t result = TNWResultCodes::kNoResult;
    TNWBuffer<NW_NAME_BUFFER_SIZE> name;
    if (const NWCCGetConnInfo_fn getInfo = state.NWCCGetConnInfo.Bound())
        result = getInfo(conn, NW_CONN_INFO_SERVER_NAME, NW_CONN_INFO_NAME_SIZE, name.Bytes());
    else if (const NWGetFileServerName_fn getName = state.NWGetFileServerName.Bound())
        result = getName(conn, name.Chars());
    return state.codes.Record(result) == 0 ? name.Text() : QStringLiteral("LOCAL");
}

QDate GetServerDate(uint32_t conn)
{
    const QDate today = QDate::currentDate();
    const NWGetFileServerDateAndTime_fn getDateTime = TNWLib::Shared().NWGetFileServerDateAndTime.Bound();
    if (!getDateTime)
        return today;
    TNWBuffer<NW_DATE_TIME_SIZE> dateTime;
    if (codes().Record(getDateTime(ResolveConnection(conn), dateTime.Bytes())) != 0)
        return today;
    const int year = 1900 + dateTime.Byte(0);
    const int month = dateTime.Byte(1);
    const int day = dateTime.Byte(2);
    const QDate date(year, month, day);
    if (!date.isValid())
        throw EDateConversionError(
            QStringLiteral("The server's date %1-%2-%3 (year-month-day) does not exist")
                .arg(year)
                .arg(month)
                .arg(day));
    return date;
}

QString IDText(uint32_t id)
{
    return QString::number(id, 16).toUpper();
}

bool HasConsolePrivileges(uint32_t conn)
{
    const NWCheckConsolePrivileges_fn check = TNWLib::Shared().NWCheckConsolePrivileges.Bound();
    return check && codes().Record(check(ResolveConnection(conn))) == 0;
}

bool CheckManager(uint32_t conn)
{
    const NWIsManager_fn isManager = TNWLib::Shared().NWIsManager.Bound();
    return isManager && codes().Record(isManager(ResolveConnection(conn))) == 0;
}

uint16_t GetBroadcastState(uint32_t conn)
{
    const NWCCGetConnInfo_fn getInfo = TNWLib::Shared().NWCCGetConnInfo.Bound();
    if (!getInfo)
        return 0;
    uint32_t value = 0;
    const uint32_t result = getInfo(ResolveConnection(conn), NW_CONN_INFO_BROADCAST_STATE, 2, &value);
    return codes().Record(result) == 0 ? uint16_t(value) : 0;
}

bool SetBroadcastState(uint32_t conn, uint16_t mode)
{
    const NWSetBroadcastMode_fn setMode = TNWLib::Shared().NWSetBroadcastMode.Bound();
    return setMode && codes().Record(setMode(conn, mode)) == 0;
}

uint8_t SetShellErrorMode(uint8_t mode)
{
    const NWSetNetWareErrorMode_fn setMode = TNWLib::Shared().NWSetNetWareErrorMode.Bound();
    uint8_t previous = 0;
    return setMode && codes().Record(setMode(mode, &previous)) == 0 ? previous : 0;
}

uint16_t GetMaximumConnections()
{
    const NWGetMaximumConnections_fn getMaximum = TNWLib::Shared().NWGetMaximumConnections.Bound();
    uint32_t count = 0;
    if (getMaximum)
        getMaximum(&count);
    return uint16_t(count);
}

QChar GetFirstDriveLetter()
{
    const NWGetFirstDrive_fn getFirstDrive = TNWLib::Shared().NWGetFirstDrive.Bound();
    uint16_t drive = 0;
    if (!getFirstDrive || codes().Record(getFirstDrive(&drive)) != 0)
        return {};
    return driveLetter(drive);
}

QChar GetNextFreeDriveLetter()
{
    const NWGetDriveStatus_fn getStatus = TNWLib::Shared().NWGetDriveStatus.Bound();
    if (!getStatus)
        return {};
    // Without a first network drive the 8-bit difference lies above Z, and nothing is asked.
    const auto first = uint8_t(GetFirstDriveLetter().unicode() - kDriveLetterBase);
    for (int drive = first; drive <= kDriveZ; ++drive) {
        uint16_t status = 0;
        uint32_t conn = 0;
        TNWBuffer<NW_PATH_SIZE> root;
        TNWBuffer<NW_PATH_SIZE> relative;
        TNWBuffer<NW_PATH_SIZE> full;
        const uint32_t result =
            getStatus(uint16_t(drive), 0, &status, &conn, root.Chars(), relative.Chars(), full.Chars());
        if (codes().Record(result) == 0 && status == 0)
            return driveLetter(drive);
    }
    return {};
}
