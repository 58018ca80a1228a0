#pragma once

#include <QMetaProperty>
#include <QString>
#include <QVariant>

#include "runtime/LayoutNode.h"

// Turns layout values into property values and back: one place that knows how each kind of property
// is written, so that what the writer produces the reader takes.
class TLayoutValues
{
public:
    // Throws Exception saying what does not fit the property.
    static QVariant ForProperty(const QMetaProperty &property, const TLayoutValue &value);
    // A value for a component's own stored property, in the type the text gives it.
    static QVariant Natural(const TLayoutValue &value);

    // `indent` starts the continuation lines of byte blocks and string lists. Throws Exception for a
    // value that the layout text cannot express.
    static QString Text(const QMetaProperty &property, const QVariant &value, const QString &indent);
    static QString Text(const QVariant &value, const QString &indent);

private:
    static QVariant Enumerator(const QMetaProperty &property, const TLayoutValue &value);
    static QVariant Flags(const QMetaProperty &property, const TLayoutValue &value);
    static QVariant Color(const TLayoutValue &value);
    static QVariant Plain(const QMetaType &type, const TLayoutValue &value);
    static QVariant Integer(const QMetaType &type, const TLayoutValue &value);
    static QVariant Number(const QMetaType &type, const TLayoutValue &value);

    static QString EnumeratorText(const QMetaProperty &property, const QVariant &value);
    static QString FlagsText(const QMetaProperty &property, const QVariant &value);
    static QString NumberText(double value);
    static QString StringText(const QString &value);
    static QString BytesText(const QByteArray &value, const QString &indent);
    static QString ListText(const QStringList &value, const QString &indent);
};
