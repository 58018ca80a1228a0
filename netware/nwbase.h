#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QChar>
#include <QDateTime>
#include <QObject>
#include <QString>

#include "netware/NWDSContextFlags.h"
#include "netware/NWLastError.h"
#include "runtime/Component.h"
#include "runtime/TestPeer.h"

class TNWLib;
class TNWNDS;
class TNWServer;
class TNWPrint;
class TNWProp;

// The one component through which the program talks to the NetWare client. Constructing it loads the
// client, decides whether the network is usable, starts directory services where the server has them and
// learns the login. It never raises for a missing or broken client: it is then simply not available, and
// its operations give neutral results. Properties that name no connection work on ServerHandle.
class TNWBase : public QObject, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNWBase)
    Q_PROPERTY(QString ServerVersion READ ServerVersion STORED false)
    Q_PROPERTY(bool NetAvailable READ NetAvailable)
    Q_PROPERTY(QString NDSContextName READ NDSContextName WRITE SetNDSContextName)
    Q_PROPERTY(TNWDSContextFlags *NDSContextFlags READ NDSContextFlags)
    Q_PROPERTY(bool NDSAvailable READ NDSAvailable)
    Q_PROPERTY(QString DefaultServer READ DefaultServer WRITE SetDefaultServer STORED false)
    Q_PROPERTY(TNWLastError *LastError READ LastError STORED false)
    Q_PROPERTY(bool SilentExceptions READ SilentExceptions WRITE SetSilentExceptions)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion STORED false)
    Q_PROPERTY(QString LoginID READ LoginID WRITE SetLoginID STORED false)
    Q_PROPERTY(QString ServerName READ ServerName WRITE SetServerName STORED false)
    Q_PROPERTY(QDateTime ServerDate READ ServerDate WRITE SetServerDate STORED false)
    Q_PROPERTY(TNWShellErrorMode ShellErrorMode READ ShellErrorMode WRITE SetShellErrorMode STORED false)
    Q_PROPERTY(TNWBroadcastMode BroadcastMode READ BroadcastMode WRITE SetBroadcastMode STORED false)
    Q_PROPERTY(uint ServerHandle READ ServerHandle)
    Q_PROPERTY(QString LoginFullName READ LoginFullName)
    Q_PROPERTY(QString ObjectID READ ObjectID)
    Q_PROPERTY(ushort ConnectionID READ ConnectionID)
    Q_PROPERTY(TNWObjType ObjectType READ ObjectType)
    Q_PROPERTY(ushort NWObjectType READ NWObjectType)
    Q_PROPERTY(ushort MaxServerConns READ MaxServerConns)
    Q_PROPERTY(bool ConsoleOperator READ ConsoleOperator)
    Q_PROPERTY(bool Manager READ Manager)
    Q_PROPERTY(QChar FirstNetworkDrive READ FirstNetworkDrive)
    Q_PROPERTY(QChar NextNetworkDrive READ NextNetworkDrive)

public:
    enum TNWObjType
    {
        nwObjTypeNone,
        nwObjTypeUser,
        nwObjTypeGroup,
        nwObjTypePrintQ,
        nwObjTypeFileServer,
        nwObjTypeJobServer,
        nwObjTypeGateway,
        nwObjTypePrintServer,
        nwObjTypeArchiveQueue,
        nwObjTypeArchiveServer,
        nwObjTypeJobQueue,
        nwObjTypeAdministration,
        nwObjTypeNASSNAServer,
        nwObjTypeRemoteBridge,
        nwObjTypeTCPIPGateway,
        nwObjTypeNDSTree,
        nwObjTypeConnectedServer
    };
    Q_ENUM(TNWObjType)
    enum TNWShellErrorMode
    {
        nwErrInteractive,
        nwErrNetware,
        nwErrDOS
    };
    Q_ENUM(TNWShellErrorMode)
    enum TNWBroadcastMode
    {
        nwBroadcastOn,
        nwBroadcastServerOnly,
        nwBroadcastOff,
        nwBroadcastStored
    };
    Q_ENUM(TNWBroadcastMode)

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
    // Only a layout designer shows anything: the versions, in the information box.
    void SetVersion(const QString &version);
    // The primary connection until another server is chosen.
    uint32_t ServerHandle();

    QString ServerName();
    // Raises TNWObjError for a name that does not resolve, unless silent.
    void SetServerName(const QString &name);
    QString ServerVersion();
    QDateTime ServerDate();
    void SetServerDate(const QDateTime &value);
    QString DefaultServer();
    void SetDefaultServer(const QString &name);
    QString LoginID();
    void SetLoginID(const QString &name);
    QString LoginFullName();
    QString ObjectID();
    // Raises TNWObjError for a login that no bindery type matches, unless silent.
    TNWObjType ObjectType();
    uint16_t NWObjectType();
    uint16_t ConnectionID();
    uint16_t MaxServerConns() const;
    bool ConsoleOperator();
    bool Manager();
    QChar FirstNetworkDrive() const;
    QChar NextNetworkDrive() const;
    TNWBroadcastMode BroadcastMode();
    void SetBroadcastMode(TNWBroadcastMode mode);
    TNWShellErrorMode ShellErrorMode() const { return m_shellErrorMode; }
    void SetShellErrorMode(TNWShellErrorMode mode);

    TNotifyEvent OnServerChange;
    TNotifyEvent OnUserChange;

protected:
    // Raises TNWObjError unless the component is silent or sits in a layout designer.
    void RaiseNWError(const QString &message) const;
    // Tells the owner form's windowed controls, unless the component is being loaded.
    void NotifyControls(unsigned message) const;

private:
    friend struct TTestPeer<TNWBase>;

    // The bindery type value of an object type, in the client's byte order; 0 for the types without one.
    static uint16_t BinderyType(TNWObjType type);
    // The object type of a bindery type value; none for 0 and the values without one.
    static std::optional<TNWObjType> ObjectTypeOf(uint16_t value);
    void Start();
    void StartDirectoryServices();
    // The login as the client knows it now: the directory's name when it is there, else the bindery's.
    QString CurrentLogin();

    QString m_loginID;
    QString m_serverName;
    QString m_defaultServer;
    QString m_contextName;
    bool m_netAvailable = false;
    bool m_directoryLogin = false;
    bool m_silent = true;
    TNWShellErrorMode m_shellErrorMode = nwErrInteractive;
    uint32_t m_serverHandle = 0;
    std::unique_ptr<TNWLastError> m_lastError;
    std::unique_ptr<TNWDSContextFlags> m_contextFlags;
    std::unique_ptr<TNWLib> m_lib;
    std::unique_ptr<TNWNDS> m_nds;
    std::unique_ptr<TNWServer> m_server;
    std::unique_ptr<TNWPrint> m_print;
    std::unique_ptr<TNWProp> m_prop;
};
