#include "runtime/layout/LayoutWriter.h"

#include <map>
#include <memory>

#include <QMetaProperty>
#include <QObject>

#include "runtime/layout/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/layout/LayoutValues.h"
#include "runtime/layout/Published.h"

namespace {

QString indent(int depth)
{
    return QString(depth * 2, QLatin1Char(' '));
}

// The same property on the default instance, or an invalid one when its class has none.
QMetaProperty defaultProperty(const QObject *defaults, const QMetaProperty &property)
{
    if (!defaults)
        return {};
    const int index = defaults->metaObject()->indexOfProperty(property.name());
    return index >= 0 ? defaults->metaObject()->property(index) : QMetaProperty();
}

class TLayoutWriter
{
public:
    static QString Write(QObject *root);

private:
    TLayoutWriter() = default;

    void Object(QObject *object, int depth);
    void Properties(const QObject *object, const QObject *defaults, const QString &prefix, int depth);
    void Events(QObject *object, int depth);
    void DefinedProperties(QObject *object, int depth);
    void Line(int depth, const QString &text);
    const QObject *Defaults(const QObject *object);

    QString m_text;
    std::map<const QMetaObject *, std::unique_ptr<QObject>> m_defaults;
};

} // namespace

QString WriteLayout(QObject *root)
{
    return TLayoutWriter::Write(root);
}

QString TLayoutWriter::Write(QObject *root)
{
    TLayoutWriter writer;
    writer.Object(root, 0);
    return writer.m_text;
}

void TLayoutWriter::Object(QObject *object, int depth)
{
    Line(depth, QStringLiteral("object %1: %2")
                    .arg(object->objectName(), QLatin1String(object->metaObject()->className())));
    Properties(object, Defaults(object), QString(), depth + 1);
    Events(object, depth + 1);
    DefinedProperties(object, depth + 1);
    for (QObject *child : object->children())
        if (TComponent::Of(child) && !child->objectName().isEmpty())
            Object(child, depth + 1);
    Line(depth, QStringLiteral("end"));
}

void TLayoutWriter::Properties(const QObject *object, const QObject *defaults, const QString &prefix,
                               int depth)
{
    for (const QMetaProperty &property : Published::Stored(object)) {
        const QString name = prefix + QLatin1String(property.name());
        const QMetaProperty original = defaultProperty(defaults, property);
        if (QObject *sub = Published::SubObject(object, property)) {
            const QObject *defaultSub =
                original.isValid() ? Published::SubObject(defaults, original) : nullptr;
            Properties(sub, defaultSub, name + QLatin1Char('.'), depth);
            continue;
        }
        const QVariant value = property.read(object);
        if (original.isValid() && original.read(defaults) == value)
            continue;
        if (!Published::HoldsObject(property)) {
            Line(depth, name + QLatin1String(" = ") + LayoutValues::Text(property, value, indent(depth + 1)));
            continue;
        }
        const QObject *target = value.value<QObject *>();
        if (target && property.isWritable() && !target->objectName().isEmpty())
            Line(depth, name + QLatin1String(" = ") + target->objectName());
    }
}

void TLayoutWriter::Events(QObject *object, int depth)
{
    const TComponent *component = TComponent::Of(object);
    if (!component)
        return;
    for (const TEventProperty &event : component->Events()) {
        const QString handler = component->HandlerName(event.name);
        if (!handler.isEmpty())
            Line(depth, event.name + QLatin1String(" = ") + handler);
    }
}

void TLayoutWriter::DefinedProperties(QObject *object, int depth)
{
    TComponent *component = TComponent::Of(object);
    if (!component)
        return;
    for (const TDefinedProperty &defined : component->DefinedProperties()) {
        const QVariant value = defined.write ? defined.write() : QVariant();
        if (value.isValid())
            Line(depth, defined.name + QLatin1String(" = ") + LayoutValues::Text(value, indent(depth + 1)));
    }
}

void TLayoutWriter::Line(int depth, const QString &text)
{
    m_text += indent(depth) + text + QLatin1Char('\n');
}

const QObject *TLayoutWriter::Defaults(const QObject *object)
{
    const TClassRegistry &registry = TClassRegistry::Instance();
    const QMetaObject *meta = registry.NearestRegistered(object->metaObject());
    if (!meta)
        return nullptr;
    std::unique_ptr<QObject> &instance = m_defaults[meta];
    if (!instance)
        instance.reset(registry.Create(QString::fromLatin1(meta->className()), nullptr));
    return instance.get();
}
