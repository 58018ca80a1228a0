#pragma once

#include <cstdint>

#include <QString>

// A server's identity and version, with a few of its statistics.
struct TNWServerInfo
{
    QString serverName;
    uint32_t serverTime = 0;
    uint8_t reserved1 = 0;
    uint8_t reserved2 = 0;
    uint8_t utilization = 0;
    uint32_t reserved3 = 0;
    uint32_t reserved4 = 0;
    uint32_t packetsServiced = 0;
    uint32_t packetsRouted = 0;
    QString version;
    uint16_t maxConnections = 0;
    uint16_t connectionsInUse = 0;
    uint16_t peakConnectionsUsed = 0;
    uint16_t volumes = 0;
    uint8_t sftLevel = 0;
    uint8_t ttsLevel = 0;
};
