#pragma once

#include "runtime/Exception.h"

// The one error a stored layout raises when it cannot be read: the line and what was wrong there.
class ELayoutError : public Exception
{
public:
    ELayoutError(int line, const QString &what)
        : Exception(QStringLiteral("Layout line %1: %2").arg(line).arg(what)), m_line(line), m_what(what)
    {}

    int Line() const { return m_line; }
    const QString &What() const { return m_what; }

private:
    int m_line;
    QString m_what;
};
