#pragma once

#include "displays/DispTickService.h"

template <> struct TTestPeer<TDispTickService>
{
    static int ClientCount(const TDispTickService &service) { return service.ClientCount(); }
    static int SuspendCount(const TDispTickService &service, TDispTickService::TClientId id)
    {
        return service.SuspendCount(id);
    }
    static bool Resting(const TDispTickService &service, TDispTickService::TClientId id)
    {
        return service.Resting(id);
    }
    static bool Idle(const TDispTickService &service) { return service.Idle(); }
};
