#pragma once

#include <QMetaProperty>
#include <QString>
#include <QVariant>

#include "runtime/layout/LayoutNode.h"

// Turns layout values into property values and back: one place that knows how each kind of property
// is written, so that what the writer produces the reader takes.
namespace LayoutValues {

// Throws Exception saying what does not fit the property.
QVariant ForProperty(const QMetaProperty &property, const TLayoutValue &value);
// A value for a component's own stored property, in the type the text gives it.
QVariant Natural(const TLayoutValue &value);

// `indent` starts the continuation lines of byte blocks and string lists. Throws Exception for a
// value that the layout text cannot express.
QString Text(const QMetaProperty &property, const QVariant &value, const QString &indent);
QString Text(const QVariant &value, const QString &indent);

} // namespace LayoutValues
