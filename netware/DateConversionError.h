#pragma once

#include "runtime/Exception.h"

// A date that does not exist, such as a server clock reporting the 31st of February.
class EDateConversionError : public Exception
{
public:
    using Exception::Exception;
};
