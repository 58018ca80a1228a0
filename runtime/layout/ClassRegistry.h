#pragma once

#include <functional>
#include <type_traits>

#include <QHash>
#include <QObject>
#include <QString>
#include <QWidget>

#include "runtime/Exception.h"

// Maps the class names that stored layouts use to factories. Each subsystem registers its classes from
// one RegisterXxxClasses() function that the program calls at start: static registration from a static
// library would be dropped by the linker.
class TClassRegistry
{
public:
    using Factory = std::function<QObject *(QObject *parent)>;

    TClassRegistry() = default;
    TClassRegistry(const TClassRegistry &) = delete;
    TClassRegistry &operator=(const TClassRegistry &) = delete;

    static TClassRegistry &Instance();

    // A second registration under the same name replaces the first.
    void Register(const QString &className, Factory factory);
    // Registers T under its meta-object class name, which is also its C++ name.
    template <class T> void RegisterClass();

    bool Contains(const QString &className) const { return m_factories.contains(className); }
    // Throws Exception when the class is unknown or cannot live under this parent.
    QObject *Create(const QString &className, QObject *parent) const;
    // The nearest class of the meta-object's line of descent that is registered, or null.
    const QMetaObject *NearestRegistered(const QMetaObject *meta) const;

private:
    template <class T> static QObject *CreateObject(QObject *parent);
    static QWidget *WidgetParent(const char *className, QObject *parent);

    QHash<QString, Factory> m_factories;
};

template <class T> void TClassRegistry::RegisterClass()
{
    static_assert(std::is_base_of_v<QObject, T>, "a stored layout holds QObjects only");
    Register(QString::fromLatin1(T::staticMetaObject.className()), &CreateObject<T>);
}

template <class T> QObject *TClassRegistry::CreateObject(QObject *parent)
{
    if constexpr (std::is_base_of_v<QWidget, T>)
        return new T(WidgetParent(T::staticMetaObject.className(), parent));
    else
        return new T(parent);
}
