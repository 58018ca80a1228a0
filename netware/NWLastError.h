#pragma once

#include <QObject>
#include <QString>

// The last error of each service unit as text, refilled on every read of the client component's LastError.
class TNWLastError : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TNWLastError)
    Q_PROPERTY(QString NWLib READ NWLib)
    Q_PROPERTY(QString NWServer READ NWServer)
    Q_PROPERTY(QString NWProp READ NWProp)
    Q_PROPERTY(QString NWNDS READ NWNDS)
    Q_PROPERTY(QString NWPrint READ NWPrint)

public:
    explicit TNWLastError(QObject *parent = nullptr);

    QString NWLib() const { return m_nwLib; }
    QString NWServer() const { return m_nwServer; }
    QString NWProp() const { return m_nwProp; }
    QString NWNDS() const { return m_nwNds; }
    QString NWPrint() const { return m_nwPrint; }

    void Refill();

private:
    QString m_nwLib;
    QString m_nwServer;
    QString m_nwProp;
    QString m_nwNds;
    QString m_nwPrint;
};
