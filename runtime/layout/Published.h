#pragma once

#include <vector>

#include <QMetaProperty>
#include <QString>

class QObject;

// The Q_PROPERTYs that a stored layout may name: those that our own classes declare. Qt's own
// properties (objectName, geometry, palette, ...) are no part of a layout; the name and place of a
// component are the layout's own business.
namespace Published {

// An invalid property when the object publishes none of that name.
QMetaProperty Find(const QObject *object, const QString &name);
// The stored properties in declaration order: writable ones, and those holding an object.
std::vector<QMetaProperty> Stored(const QObject *object);
bool HoldsObject(const QMetaProperty &property);
// The sub-object (a font, say) that a property holds, or null when it holds none or holds a
// component, which the layout names by reference instead.
QObject *SubObject(const QObject *object, const QMetaProperty &property);

} // namespace Published
