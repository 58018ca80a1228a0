#include "tests/netware/NetWareFixture.h"

#include "netware/NWServer.h"
#include "netware/NWprint.h"
#include "netware/NwProp.h"
#include "netware/Nwnds.h"
#include "netware/nwlib.h"

TNetWareFixture::TNetWareFixture()
{
    TNWLib::ResetShared();
    TNWNDS::ResetShared();
    TNWServer::ResetShared();
    TNWProp::ResetShared();
    TNWPrint::ResetShared();
}
