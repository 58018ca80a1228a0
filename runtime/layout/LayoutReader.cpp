#include "runtime/layout/LayoutReader.h"

#include <exception>
#include <memory>
#include <vector>

#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>
#include <QPointer>

#include "runtime/layout/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/layout/LayoutError.h"
#include "runtime/layout/LayoutNode.h"
#include "runtime/layout/LayoutParser.h"
#include "runtime/layout/LayoutValues.h"
#include "runtime/layout/Published.h"

namespace {

QString classNameOf(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

QString message(const std::exception &error)
{
    const auto *own = dynamic_cast<const Exception *>(&error);
    return own ? own->Message() : QString::fromUtf8(error.what());
}

class TLayoutReader
{
public:
    static void Read(QObject *root, const QString &text);

private:
    struct TReference
    {
        QPointer<QObject> object;
        QMetaProperty property;
        QString name;
        int line;
    };

    struct TLoadedComponent
    {
        QPointer<QObject> object;
        int line;
    };

    explicit TLayoutReader(QObject *root) : m_root(root) {}

    void Build(const TLayoutNode &tree);
    void Start(QObject *object, const TLayoutNode &node);
    void ApplyNode(QObject *object, const TLayoutNode &node);
    QObject *CreateChild(QObject *parent, const TLayoutNode &node);
    void Apply(QObject *object, const TLayoutProperty &property);
    void ApplyPath(QObject *object, const TLayoutProperty &property);
    void ApplyProperty(QObject *object, const QMetaProperty &meta, const TLayoutProperty &property);
    bool ApplyEvent(QObject *object, const TLayoutProperty &property);
    bool ApplyDefined(QObject *object, const TLayoutProperty &property);
    void ResolveReferences();
    void BindMembers(int rootLine);
    void Unbind();
    int LineOf(const QObject *component) const;
    QObject *FindComponent(const QString &name) const;
    void FinishLoading();
    void DeleteCreated();

    QObject *m_root;
    // Newest last; QPointer because a component may delete objects of its own.
    std::vector<QPointer<QObject>> m_created;
    std::vector<TLoadedComponent> m_components;
    std::vector<TReference> m_references;
};

} // namespace

void ReadLayout(QObject *root, const QString &text)
{
    TLayoutReader::Read(root, text);
}

void TLayoutReader::Read(QObject *root, const QString &text)
{
    TLayoutReader reader(root);
    try {
        // The tree is gone before the components finish loading, so that what they load reuses its memory.
        reader.Build(ParseLayout(text));
        reader.FinishLoading();
    } catch (...) {
        reader.Unbind();
        reader.DeleteCreated();
        throw;
    }
}

void TLayoutReader::Build(const TLayoutNode &tree)
{
    if (tree.className != classNameOf(m_root))
        throw ELayoutError(tree.line, QStringLiteral("the layout is for class %1, the window is of class %2")
                                          .arg(tree.className, classNameOf(m_root)));
    Start(m_root, tree);
    ApplyNode(m_root, tree);
    ResolveReferences();
    BindMembers(tree.line);
}

void TLayoutReader::Start(QObject *object, const TLayoutNode &node)
{
    object->setObjectName(node.name);
    if (TComponent *component = TComponent::Of(object)) {
        component->BeginLoading();
        m_components.push_back({object, node.line});
    }
}

void TLayoutReader::ApplyNode(QObject *object, const TLayoutNode &node)
{
    for (const TLayoutProperty &property : node.properties)
        Apply(object, property);
    for (const TLayoutNode &child : node.children)
        ApplyNode(CreateChild(object, child), child);
}

QObject *TLayoutReader::CreateChild(QObject *parent, const TLayoutNode &node)
{
    QObject *child = nullptr;
    try {
        child = TClassRegistry::Instance().Create(node.className, parent);
    } catch (const std::exception &error) {
        throw ELayoutError(node.line, message(error));
    }
    if (!child)
        throw ELayoutError(node.line, QStringLiteral("class %1 made no object").arg(node.className));
    m_created.emplace_back(child);
    Start(child, node);
    if (TComponent *owner = TComponent::Of(parent))
        owner->InsertChild(child);
    return child;
}

void TLayoutReader::Apply(QObject *object, const TLayoutProperty &property)
{
    try {
        ApplyPath(object, property);
    } catch (const ELayoutError &) {
        throw;
    } catch (const std::exception &error) {
        throw ELayoutError(
            property.line,
            QStringLiteral("bad value for %1: %2").arg(property.path.join(u'.'), message(error)));
    }
}

void TLayoutReader::ApplyPath(QObject *object, const TLayoutProperty &property)
{
    const QString &name = property.path.constLast();
    for (qsizetype i = 0; i + 1 < property.path.size(); ++i) {
        const QMetaProperty holder = Published::Find(object, property.path.at(i));
        QObject *sub = holder.isValid() ? Published::SubObject(object, holder) : nullptr;
        if (!sub)
            throw ELayoutError(property.line, QStringLiteral("%1 of class %2 holds no sub-object")
                                                  .arg(property.path.at(i), classNameOf(object)));
        object = sub;
    }
    const QMetaProperty meta = Published::Find(object, name);
    if (meta.isValid())
        ApplyProperty(object, meta, property);
    else if (property.path.size() > 1 || (!ApplyEvent(object, property) && !ApplyDefined(object, property)))
        throw ELayoutError(property.line,
                           QStringLiteral("unknown property %1 of class %2").arg(name, classNameOf(object)));
}

void TLayoutReader::ApplyProperty(QObject *object, const QMetaProperty &meta, const TLayoutProperty &property)
{
    if (!meta.isWritable())
        throw ELayoutError(property.line, QStringLiteral("property %1 is read-only").arg(meta.name()));
    if (Published::HoldsObject(meta)) {
        if (property.value.kind != TLayoutValue::Kind::Identifier)
            throw ELayoutError(property.line, QStringLiteral("%1 expects a component name").arg(meta.name()));
        m_references.push_back({object, meta, property.value.text, property.line});
        return;
    }
    if (!meta.write(object, LayoutValues::ForProperty(meta, property.value)))
        throw ELayoutError(property.line, QStringLiteral("property %1 refused its value").arg(meta.name()));
}

bool TLayoutReader::ApplyEvent(QObject *object, const TLayoutProperty &property)
{
    TComponent *component = TComponent::Of(object);
    const QString &event = property.path.constLast();
    const TEventProperty *published = component ? component->EventProperty(event) : nullptr;
    if (!published)
        return false;
    const QString &handler = property.value.text;
    const QByteArray signature = handler.toLatin1() + '(' + published->parameters + ')';
    const int index = m_root->metaObject()->indexOfMethod(signature.constData());
    const QMetaMethod method = index >= 0 ? m_root->metaObject()->method(index) : QMetaMethod();
    if (property.value.kind != TLayoutValue::Kind::Identifier || !method.isValid() ||
        method.methodType() == QMetaMethod::Signal)
        throw ELayoutError(property.line, QStringLiteral("unknown handler %1 for %2").arg(handler, event));
    component->BindEvent(event, handler, m_root, method);
    return true;
}

bool TLayoutReader::ApplyDefined(QObject *object, const TLayoutProperty &property)
{
    TComponent *component = TComponent::Of(object);
    if (!component)
        return false;
    for (const TDefinedProperty &defined : component->DefinedProperties()) {
        if (defined.name == property.path.constLast()) {
            defined.read(LayoutValues::Natural(property.value));
            return true;
        }
    }
    return false;
}

void TLayoutReader::ResolveReferences()
{
    for (const TReference &reference : m_references) {
        QObject *target = FindComponent(reference.name);
        if (!target)
            throw ELayoutError(reference.line, QStringLiteral("unresolved reference %1").arg(reference.name));
        const QMetaObject *wanted = reference.property.metaType().metaObject();
        if ((wanted && !target->metaObject()->inherits(wanted)) || !reference.object ||
            !reference.property.write(reference.object, QVariant::fromValue(target)))
            throw ELayoutError(reference.line, QStringLiteral("%1 (%2) does not fit property %3")
                                                   .arg(reference.name, classNameOf(target),
                                                        QLatin1String(reference.property.name())));
    }
}

void TLayoutReader::BindMembers(int rootLine)
{
    const TComponent *root = TComponent::Of(m_root);
    if (!root)
        return;
    for (const TBoundMember &member : root->BoundMembers()) {
        QObject *component = FindComponent(member.name);
        if (!component)
            throw ELayoutError(rootLine,
                               QStringLiteral("the window needs a %1 named %2, which the layout lacks")
                                   .arg(QLatin1String(member.type->className()), member.name));
        if (!component->metaObject()->inherits(member.type))
            throw ELayoutError(LineOf(component), QStringLiteral("%1 is a %2, the window needs a %3")
                                                      .arg(member.name, classNameOf(component),
                                                           QLatin1String(member.type->className())));
        member.assign(component);
    }
}

void TLayoutReader::Unbind()
{
    if (const TComponent *root = TComponent::Of(m_root))
        for (const TBoundMember &member : root->BoundMembers())
            member.assign(nullptr);
}

int TLayoutReader::LineOf(const QObject *component) const
{
    for (const TLoadedComponent &loaded : m_components)
        if (loaded.object == component)
            return loaded.line;
    return 0;
}

QObject *TLayoutReader::FindComponent(const QString &name) const
{
    if (m_root->objectName() == name)
        return m_root;
    return m_root->findChild<QObject *>(name);
}

void TLayoutReader::FinishLoading()
{
    for (const TLoadedComponent &loaded : m_components) {
        TComponent *component = loaded.object ? TComponent::Of(loaded.object) : nullptr;
        if (!component)
            continue;
        try {
            component->Loaded();
        } catch (const std::exception &error) {
            throw ELayoutError(loaded.line, QStringLiteral("loading failed: %1").arg(message(error)));
        }
    }
}

void TLayoutReader::DeleteCreated()
{
    // Newest first, so that every object goes before the parent that made it part of itself.
    while (!m_created.empty()) {
        std::unique_ptr<QObject> doomed(m_created.back().data());
        m_created.pop_back();
    }
}
