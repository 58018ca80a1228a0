#include "runtime/layout/Published.h"

#include <QObject>

#include "runtime/Component.h"

namespace {

// Qt names its classes Q + a capital; ours start with T.
bool isQtClass(const QMetaObject *meta)
{
    const char *name = meta->className();
    return name[0] == 'Q' && name[1] >= 'A' && name[1] <= 'Z';
}

int firstOwnProperty(const QMetaObject *meta)
{
    for (; meta; meta = meta->superClass())
        if (isQtClass(meta))
            return meta->propertyCount();
    return 0;
}

} // namespace

QMetaProperty Published::Find(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    return index >= firstOwnProperty(meta) ? meta->property(index) : QMetaProperty();
}

std::vector<QMetaProperty> Published::Stored(const QObject *object)
{
    const QMetaObject *meta = object->metaObject();
    const TComponent *component = TComponent::Of(object);
    std::vector<QMetaProperty> stored;
    for (int i = firstOwnProperty(meta); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // A class may shadow a property of its base (a form's outer size, say); the newest one counts.
        const bool shadowed = meta->indexOfProperty(property.name()) != i;
        if (!shadowed && property.isStored() && (property.isWritable() || HoldsObject(property)) &&
            (!component || component->StoresProperty(property.name())))
            stored.push_back(property);
    }
    return stored;
}

bool Published::HoldsObject(const QMetaProperty &property)
{
    return property.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

QObject *Published::SubObject(const QObject *object, const QMetaProperty &property)
{
    if (!HoldsObject(property))
        return nullptr;
    QObject *held = property.read(object).value<QObject *>();
    return held && !TComponent::Of(held) ? held : nullptr;
}
