#include "resources/Resources.h"

#include <utility>

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>

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
    const QResource resource(QStringLiteral(":/") + name);
    if (!resource.isValid() || !resource.data())
        throw Exception(QStringLiteral("The program's file %1 is missing from it.").arg(name));
    return resource.uncompressedData();
}

QImage ReadImage(const QString &name)
{
    InitResources();
    const QResource resource(QStringLiteral(":/") + name);
    if (!resource.isValid() || !resource.data())
        return {};
    QByteArray data = resource.uncompressedData();
    QBuffer buffer(&data);
    const QByteArray format = QFileInfo(name).suffix().toLower().toLatin1();
    QImageReader reader(&buffer, format);
    // Left on, detection would load every image plugin to ask each whether it reads this format.
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}
