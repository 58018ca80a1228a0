// The locale library: unicode tables belong to directory services, which this client does not offer.
#pragma GCC visibility push(default)
#include "netware/nwclient.h"
#pragma GCC visibility pop
#include "ncp/Codes.h"

uint32_t NWAPI NWLlocaleconv(uint8_t *)
{
    return ncp::codes::kNotSupported;
}

uint32_t NWAPI NWInitUnicodeTables(uint32_t, uint32_t)
{
    return ncp::codes::kNotSupported;
}

uint32_t NWAPI NWFreeUnicodeTables(void)
{
    return ncp::codes::kNotSupported;
}
