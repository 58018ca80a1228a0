#pragma once

#include <QString>

// The process-wide state of a service unit (Unit::State, holding at least its completion codes): one copy
// shared by the whole process, which the unit's instances only give a home, and which tests put back to
// its start.
template <class Unit> class TNWUnit
{
public:
    static auto &Shared()
    {
        static typename Unit::State state;
        return state;
    }
    static void ResetShared() { Shared() = typename Unit::State{}; }
    // The unit's last error as text.
    static QString ErrorText() { return Shared().codes.ErrorText(); }
};
