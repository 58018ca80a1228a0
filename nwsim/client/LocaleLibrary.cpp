// The locale library: thin entry points over the shared simulated client.
// Everything here is hidden except the contract's entry points.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "nwsim/Network.h"

using nwsim::Network;

uint32_t NWAPI NWLlocaleconv(uint8_t *info)
{
    return Network::Instance().Station().LocaleConventions(info);
}

uint32_t NWAPI NWInitUnicodeTables(uint32_t country, uint32_t codePage)
{
    return Network::Instance().Station().InitUnicodeTables(country, codePage);
}

uint32_t NWAPI NWFreeUnicodeTables(void)
{
    return Network::Instance().Station().FreeUnicodeTables();
}
