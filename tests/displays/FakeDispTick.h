#pragma once

#include "displays/DispTickService.h"

// A tick service whose ticks the test delivers by calling Tick(); its timer may refuse to start.
class TFakeDispTick : public TDispTickService
{
public:
    bool timerStarts = true;
    int starts = 0;
    int stops = 0;

protected:
    bool StartTimer() override
    {
        starts += timerStarts;
        return timerStarts;
    }
    void StopTimer() override { ++stops; }
};
