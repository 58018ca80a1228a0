#include "netware/nwbase.h"

#include "netware/NWObjError.h"
#include "netware/NWServer.h"
#include "netware/NWprint.h"
#include "netware/NwProp.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"
#include "runtime/Exception.h"
#include "runtime/WindowMessage.h"

namespace {

const QString kComponentVersion = QStringLiteral("1.21");

} // namespace

// Flag writes reach the context once directory services have started, whether or not the server itself is a
// directory server.
TNWBase::TNWBase(QObject *owner)
    : QObject(owner), m_lastError(std::make_unique<TNWLastError>()),
      m_contextFlags(std::make_unique<TNWDSContextFlags>([] { return TNWLib::Shared().directoryMode; }))
{
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
    QString value = name.toUpper();
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

uint32_t TNWBase::ServerHandle()
{
    if (m_serverHandle == 0)
        m_serverHandle = GetPrimaryConnection();
    return m_serverHandle;
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
