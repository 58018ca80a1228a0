#pragma once

#include "netware/NWResultCodes.h"
#include "netware/NWUnit.h"

// Bindery properties. In this program the unit carries only its error state, which no call changes.
class TNWProp : public TNWUnit<TNWProp>
{
public:
    struct State
    {
        TNWResultCodes codes;
    };
};
