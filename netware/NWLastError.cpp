#include "netware/NWLastError.h"

#include "netware/NWServer.h"
#include "netware/NWprint.h"
#include "netware/NwProp.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"

TNWLastError::TNWLastError(QObject *parent) : QObject(parent)
{}

void TNWLastError::Refill()
{
    m_nwLib = TNWLib::ErrorText();
    m_nwServer = TNWServer::ErrorText();
    m_nwProp = TNWProp::ErrorText();
    m_nwNds = TNWNDS::ErrorText();
    m_nwPrint = TNWPrint::ErrorText();
}
