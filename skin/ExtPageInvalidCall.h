#pragma once

#include "runtime/Exception.h"

// A page control was asked for the page of a tab index that no visible tab has.
class EExtPageInvalidCall : public Exception
{
public:
    using Exception::Exception;
};
