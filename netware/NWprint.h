#pragma once

#include "netware/NWResultCodes.h"
#include "netware/NWUnit.h"

// Printing. In this program the unit carries only its error state, which no call changes.
class TNWPrint : public TNWUnit<TNWPrint>
{
public:
    struct State
    {
        TNWResultCodes codes;
    };
};
