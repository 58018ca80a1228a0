#pragma once

#include <exception>
#include <string>

#include <QString>

// The common exception class: every error the program raises on purpose derives from it and carries a
// message for the user.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message) : m_message(message), m_utf8(message.toStdString()) {}

    const QString &Message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// The platform ran out of something the program needs (a system timer, say).
class EOutOfResources : public Exception
{
public:
    using Exception::Exception;
};
