#pragma once

#include <cstdint>
#include <memory>

#include <QObject>
#include <QString>

#include "netware/NWDSContextFlags.h"
#include "netware/NWLastError.h"
#include "runtime/Component.h"

class TNWLib;
class TNWNDS;
class TNWServer;
class TNWPrint;
class TNWProp;

// The one component through which the program talks to the NetWare client. Constructing it loads the
// client, decides whether the network is usable, starts directory services where the server has them and
// learns the login. It never raises for a missing or broken client: it is then simply not available, and
// its operations give neutral results.
class TNWBase : public QObject, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNWBase)
    Q_PROPERTY(bool NetAvailable READ NetAvailable)
    Q_PROPERTY(QString NDSContextName READ NDSContextName WRITE SetNDSContextName)
    Q_PROPERTY(TNWDSContextFlags *NDSContextFlags READ NDSContextFlags)
    Q_PROPERTY(bool NDSAvailable READ NDSAvailable)
    Q_PROPERTY(TNWLastError *LastError READ LastError STORED false)
    Q_PROPERTY(bool SilentExceptions READ SilentExceptions WRITE SetSilentExceptions)
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(uint ServerHandle READ ServerHandle)

public:
    // Window messages sent to the owner form's windowed controls.
    static constexpr unsigned kServerChangeMessage = 47169;
    static constexpr unsigned kUserChangeMessage = 47170;

    explicit TNWBase(QObject *owner = nullptr);
    ~TNWBase() override;

    bool NetAvailable() const { return m_netAvailable; }
    // Asks the server anew on every read.
    bool NDSAvailable();
    QString NDSContextName() const { return m_contextName; }
    void SetNDSContextName(const QString &name);
    TNWDSContextFlags *NDSContextFlags() const { return m_contextFlags.get(); }
    TNWLastError *LastError() const;
    bool SilentExceptions() const { return m_silent; }
    void SetSilentExceptions(bool silent);
    QString Version() const;
    // The primary connection until another server is chosen.
    uint32_t ServerHandle();
    QString CachedLoginID() const { return m_loginID; }

protected:
    // Raises TNWObjError unless the component is silent or sits in a layout designer.
    void RaiseNWError(const QString &message) const;
    // Tells the owner form's windowed controls, unless the component is being loaded.
    void NotifyControls(unsigned message) const;

private:
    void Start();
    void StartDirectoryServices();

    QString m_loginID;
    QString m_contextName;
    bool m_netAvailable = false;
    bool m_directoryLogin = false;
    bool m_silent = true;
    uint32_t m_serverHandle = 0;
    std::unique_ptr<TNWLastError> m_lastError;
    std::unique_ptr<TNWDSContextFlags> m_contextFlags;
    std::unique_ptr<TNWLib> m_lib;
    std::unique_ptr<TNWNDS> m_nds;
    std::unique_ptr<TNWServer> m_server;
    std::unique_ptr<TNWPrint> m_print;
    std::unique_ptr<TNWProp> m_prop;
};
