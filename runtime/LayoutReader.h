#pragma once

#include <vector>

#include <QMetaProperty>
#include <QPointer>
#include <QString>

#include "runtime/LayoutNode.h"

class QObject;

// Builds a window from its stored layout: the root (the form, made by its own class) gets its name and
// properties, nested blocks become components made through the class registry. Throws ELayoutError on
// bad input, after deleting everything it had made; the caller then discards the root.
void ReadLayout(QObject *root, const QString &text);

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
    QObject *FindComponent(const QString &name) const;
    void FinishLoading();
    void DeleteCreated();

    QObject *m_root;
    // Newest last; QPointer because a component may delete objects of its own.
    std::vector<QPointer<QObject>> m_created;
    std::vector<TLoadedComponent> m_components;
    std::vector<TReference> m_references;
};
