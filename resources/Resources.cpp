#include "resources/Resources.h"

#include <utility>

#include <QFile>

#include "runtime/Exception.h"

// The files are registered by a function that the linker drops from a static library unless it is named
// here; the macro must stand outside any namespace.
void InitResources()
{
    static bool initialised = false;
    if (!std::exchange(initialised, true))
        Q_INIT_RESOURCE(Resources);
}

QByteArray ReadResource(const QString &name)
{
    InitResources();
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("The program's file %1 is missing from it.").arg(name));
    return file.readAll();
}
