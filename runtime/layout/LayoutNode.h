#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

// A value as the layout text gives it, before it meets the property it is meant for.
struct TLayoutValue
{
    enum class Kind
    {
        Integer,
        Float,
        String,
        Identifier, // True, False, an enumerator, a colour, a reference or a handler
        Set,
        StringList,
        Bytes,
    };

    Kind kind = Kind::Integer;
    qint64 integer = 0;
    double number = 0;
    QString text;
    QStringList items;
    QByteArray bytes;
};

// `Name = value`, where Name may be a dotted path into sub-objects.
struct TLayoutProperty
{
    QStringList path;
    TLayoutValue value;
    int line = 0;
};

// An `object Name: TClass ... end` block.
struct TLayoutNode
{
    QString name;
    QString className;
    int line = 0;
    std::vector<TLayoutProperty> properties;
    std::vector<TLayoutNode> children;
};
