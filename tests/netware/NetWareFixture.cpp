#include "tests/netware/NetWareFixture.h"

#include "netware/nwbase.h"

TNetWareFixture::TNetWareFixture()
{
    ResetNetWareState();
}
