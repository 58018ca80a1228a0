#pragma once

#include "runtime/Exception.h"

// The chart's validating setters raise these, with fixed messages, and leave the value as it was.
class ChartException : public Exception
{
public:
    using Exception::Exception;
};

class AxisException : public Exception
{
public:
    using Exception::Exception;
};

class BarException : public Exception
{
public:
    using Exception::Exception;
};
