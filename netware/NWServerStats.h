#pragma once

#include <cstdint>

#include "netware/NWBuffer.h"
#include "netware/nwclient.h"

// The server-info record the statistics call fills. The counters are cumulative and wrap modulo 2^32.
class TNWServerStats
{
public:
    uint8_t *Data() { return m_record.Bytes(); }

    uint32_t ServerTime() const { return m_record.UInt32(NW_SERVER_INFO_TIME); }
    uint32_t NCPRequests() const { return m_record.UInt32(NW_SERVER_INFO_NCP_REQUESTS); }
    uint32_t Utilization() const { return m_record.UInt32(NW_SERVER_INFO_UTILIZATION); }
    uint32_t PacketsServiced() const { return m_record.UInt32(NW_SERVER_INFO_PACKETS_SERVICED); }
    uint32_t PacketsRouted() const { return m_record.UInt32(NW_SERVER_INFO_PACKETS_ROUTED); }

private:
    TNWBuffer<NW_SERVER_INFO_SIZE> m_record;
};
