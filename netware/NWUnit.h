#pragma once

#include <QString>

#include "runtime/ProcessState.h"

// A service unit whose state (Unit::State, holding at least its completion codes) the whole process
// shares; the unit's instances only give it a home.
template <class Unit> class TNWUnit
{
public:
    static auto &Shared() { return TProcessState<typename Unit::State>::Instance(); }
    static QString ErrorText() { return Shared().codes.ErrorText(); }
};
