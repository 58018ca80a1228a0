#pragma once

#include "runtime/Exception.h"

// What the client component raises when it is not silent.
class TNWObjError : public Exception
{
public:
    using Exception::Exception;
};
