#include "netware/NWResultCodes.h"

uint32_t TNWResultCodes::Record(uint32_t result)
{
    lastResult = result;
    if (result != 0)
        lastError = result;
    return result;
}

QString TNWResultCodes::Text(uint32_t code)
{
    return QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}
