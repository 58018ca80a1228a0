#include "runtime/layout/ClassRegistry.h"

#include "runtime/ProcessState.h"

TClassRegistry &TClassRegistry::Instance()
{
    return TProcessState<TClassRegistry>::Instance();
}

void TClassRegistry::Register(const QString &className, Factory factory)
{
    m_factories.insert(className, std::move(factory));
}

QObject *TClassRegistry::Create(const QString &className, QObject *parent) const
{
    const auto factory = m_factories.constFind(className);
    if (factory == m_factories.constEnd())
        throw Exception(QStringLiteral("unknown class %1").arg(className));
    return (*factory)(parent);
}

const QMetaObject *TClassRegistry::NearestRegistered(const QMetaObject *meta) const
{
    for (; meta; meta = meta->superClass())
        if (Contains(QString::fromLatin1(meta->className())))
            return meta;
    return nullptr;
}

QWidget *TClassRegistry::WidgetParent(const char *className, QObject *parent)
{
    // A control lives inside a control; a plain object such as a menu cannot hold one.
    if (parent && !parent->isWidgetType())
        throw Exception(QStringLiteral("%1 is a control and cannot be placed in %2 (%3)")
                            .arg(QLatin1String(className), parent->objectName(),
                                 QLatin1String(parent->metaObject()->className())));
    return static_cast<QWidget *>(parent);
}
