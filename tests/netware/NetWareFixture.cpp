#include "tests/netware/NetWareFixture.h"

#include "runtime/ProcessState.h"

TNetWareFixture::TNetWareFixture()
{
    ProcessState::ResetAll();
}
