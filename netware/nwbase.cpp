#include "netware/nwbase.h"

#include <array>
#include <utility>

#include "netware/NWIdentity.h"
#include "netware/NWNotice.h"
#include "netware/NWObjError.h"
#include "netware/NWServer.h"
#include "netware/NWServerInfo.h"
#include "netware/NWText.h"
#include "netware/NWprint.h"
#include "netware/NwProp.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"
#include "runtime/Exception.h"
#include "runtime/WindowMessage.h"

namespace {

const QString kComponentVersion = QStringLiteral("1.21");

using TTypeValue = std::pair<TNWBase::TNWObjType, uint16_t>;
constexpr std::array<TTypeValue, 14> kBinderyTypes{{
    {TNWBase::nwObjTypeUser, 0x0100},
    {TNWBase::nwObjTypeGroup, 0x0200},
    {TNWBase::nwObjTypePrintQ, 0x0300},
    {TNWBase::nwObjTypeFileServer, 0x0400},
    {TNWBase::nwObjTypeJobServer, 0x0500},
    {TNWBase::nwObjTypeGateway, 0x0600},
    {TNWBase::nwObjTypePrintServer, 0x0700},
    {TNWBase::nwObjTypeArchiveQueue, 0x0800},
    {TNWBase::nwObjTypeArchiveServer, 0x0900},
    {TNWBase::nwObjTypeJobQueue, 0x0A00},
    {TNWBase::nwObjTypeAdministration, 0x0B00},
    {TNWBase::nwObjTypeNASSNAServer, 0x2100},
    {TNWBase::nwObjTypeRemoteBridge, 0x2600},
    {TNWBase::nwObjTypeTCPIPGateway, 0x2700},
}};

} // namespace

// Flag writes reach the context once directory services have started, whether or not the server itself is a
// directory server, and whichever server is the default one now.
TNWBase::TNWBase(QObject *owner)
    : QObject(owner), m_lastError(std::make_unique<TNWLastError>()),
      m_contextFlags(std::make_unique<TNWDSContextFlags>([] { return TNWNDS::Shared().started; }))
{
    PublishEvent(QStringLiteral("OnServerChange"), OnServerChange);
    PublishEvent(QStringLiteral("OnUserChange"), OnUserChange);
    try {
        Start();
    } catch (const Exception &) {
        m_netAvailable = false;
    }
}

TNWBase::~TNWBase()
{
    if (NDSAvailable())
        DoneDirectoryServices();
    m_nds.reset();
    m_lib.reset();
    m_server.reset();
    m_print.reset();
    m_prop.reset();
    m_lastError.reset();
    m_contextFlags.reset();
}

uint16_t TNWBase::BinderyType(TNWObjType type)
{
    for (const auto &[objectType, value] : kBinderyTypes)
        if (objectType == type)
            return value;
    return 0;
}

std::optional<TNWBase::TNWObjType> TNWBase::ObjectTypeOf(uint16_t value)
{
    for (const auto &[objectType, typeValue] : kBinderyTypes)
        if (typeValue == value)
            return objectType;
    return std::nullopt;
}

void TNWBase::Start()
{
    m_lib = std::make_unique<TNWLib>();
    m_nds = std::make_unique<TNWNDS>();
    m_server = std::make_unique<TNWServer>();
    m_print = std::make_unique<TNWPrint>();
    m_prop = std::make_unique<TNWProp>();
    m_netAvailable = ClientAvailable();
    if (!m_netAvailable)
        return;
    if (InitDirectoryServices())
        StartDirectoryServices();
    m_loginID = m_directoryLogin ? CanonicalName(WhoAmI()) : GetLoginName(ServerHandle());
}

void TNWBase::StartDirectoryServices()
{
    TNWLib::Shared().directoryMode = true;
    TNWNDS::Shared().started = true;
    m_directoryLogin = IsDirectoryServer(ServerHandle());
    SetNDSContextName(QString());
    m_contextFlags->ApplyTrueFlags();
}

bool TNWBase::NDSAvailable()
{
    return m_directoryLogin && IsDirectoryServer(ServerHandle());
}

void TNWBase::SetNDSContextName(const QString &name)
{
    if (Loading() || !NDSAvailable())
        return;
    QString value = UpperText(name);
    if (value.isEmpty() || value == QLatin1String("[ROOT]")) {
        ResetContext();
        value = GetContextName();
    } else if (value != m_contextName) {
        SetContextName(value);
    }
    m_contextName = value;
    NotifyControls(kServerChangeMessage);
}

TNWLastError *TNWBase::LastError() const
{
    m_lastError->Refill();
    return m_lastError.get();
}

void TNWBase::SetSilentExceptions(bool silent)
{
    m_silent = silent;
}

QString TNWBase::Version() const
{
    return kComponentVersion + QStringLiteral(" / ") + QLatin1String(kNWLibraryVersion);
}

void TNWBase::SetVersion(const QString &)
{
    if (Designing())
        ShowNotice(QStringLiteral("NWLib Version: ") + QLatin1String(kNWLibraryVersion) +
                   QStringLiteral(";Component Version: ") + kComponentVersion);
}

uint32_t TNWBase::ServerHandle()
{
    if (m_serverHandle == 0)
        m_serverHandle = GetPrimaryConnection();
    return m_serverHandle;
}

QString TNWBase::ServerName()
{
    if (m_serverName.isEmpty())
        m_serverName = GetConnectionServerName(ServerHandle());
    return m_serverName;
}

void TNWBase::SetServerName(const QString &name)
{
    const QString value = UpperText(name);
    if (value.isEmpty()) {
        m_serverHandle = GetPrimaryConnection();
        m_serverName = GetConnectionServerName(m_serverHandle);
    } else if (const uint32_t handle = ConnectionByName(value)) {
        m_serverHandle = handle;
        m_serverName = value;
    } else {
        RaiseNWError(QStringLiteral("Invalid Server Handle"));
    }
    NotifyControls(kServerChangeMessage);
    if (OnServerChange)
        OnServerChange(this);
}

QString TNWBase::ServerVersion()
{
    TNWServerInfo info;
    return GetServerInformation(ServerHandle(), info) ? info.version : QStringLiteral("0.0");
}

QDateTime TNWBase::ServerDate()
{
    return GetServerDate(ServerHandle()).startOfDay();
}

void TNWBase::SetServerDate(const QDateTime &value)
{
    SetServerDateTime(ServerHandle(), value);
}

QString TNWBase::DefaultServer()
{
    return GetConnectionServerName(GetPrimaryConnection());
}

void TNWBase::SetDefaultServer(const QString &name)
{
    uint32_t conn = 0;
    if (name != m_defaultServer && SetPreferredServer(name, conn))
        m_defaultServer = name;
}

QString TNWBase::LoginID()
{
    if (m_loginID.isEmpty())
        m_loginID = CurrentLogin();
    return m_loginID;
}

void TNWBase::SetLoginID(const QString &name)
{
    m_loginID = name.isEmpty() ? CurrentLogin() : UpperText(name);
    NotifyControls(kUserChangeMessage);
    if (OnUserChange)
        OnUserChange(this);
}

QString TNWBase::CurrentLogin()
{
    return NDSAvailable() ? WhoAmI() : GetLoginName(ServerHandle());
}

QString TNWBase::LoginFullName()
{
    return GetFullName(ServerHandle(), m_loginID);
}

QString TNWBase::ObjectID()
{
    if (NDSAvailable())
        return MapNameToID(ServerHandle(), LoginID());
    const uint16_t type = BinderyType(ObjectType());
    return ObjectIDText(ServerHandle(), LoginID(), type);
}

TNWBase::TNWObjType TNWBase::ObjectType()
{
    if (const std::optional<TNWObjType> type = ObjectTypeOf(NWObjectType()))
        return *type;
    RaiseNWError(QStringLiteral("Invalid Netware Object Type"));
    return nwObjTypeUser;
}

uint16_t TNWBase::NWObjectType()
{
    return GetBinderyObjectType(ServerHandle(), m_loginID);
}

uint16_t TNWBase::ConnectionID()
{
    return GetConnectionNumber(ServerHandle());
}

uint16_t TNWBase::MaxServerConns() const
{
    return GetMaximumConnections();
}

bool TNWBase::ConsoleOperator()
{
    return HasConsolePrivileges(ServerHandle());
}

bool TNWBase::Manager()
{
    return CheckManager(ServerHandle());
}

QChar TNWBase::FirstNetworkDrive() const
{
    return GetFirstDriveLetter();
}

QChar TNWBase::NextNetworkDrive() const
{
    return GetNextFreeDriveLetter();
}

TNWBase::TNWBroadcastMode TNWBase::BroadcastMode()
{
    // A state beyond the four modes is no mode at all; it reads as the neutral one.
    const uint16_t state = GetBroadcastState(ServerHandle());
    return state <= nwBroadcastStored ? TNWBroadcastMode(state) : nwBroadcastOn;
}

void TNWBase::SetBroadcastMode(TNWBroadcastMode mode)
{
    SetBroadcastState(ServerHandle(), uint16_t(mode));
}

void TNWBase::SetShellErrorMode(TNWShellErrorMode mode)
{
    m_shellErrorMode = mode;
    ::SetShellErrorMode(uint8_t(mode));
}

void TNWBase::RaiseNWError(const QString &message) const
{
    if (Designing() || m_silent)
        return;
    throw TNWObjError(message);
}

void TNWBase::NotifyControls(unsigned message) const
{
    if (!Loading())
        BroadcastToWindowedControls(parent(), message);
}
