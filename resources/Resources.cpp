#include "resources/Resources.h"

#include <optional>
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

namespace {

// The contents of an embedded file, or nothing when the program lacks it.
std::optional<QByteArray> Embedded(const QString &name)
{
    InitResources();
    const QResource resource(QStringLiteral(":/") + name);
    if (!resource.isValid() || !resource.data())
        return std::nullopt;
    return resource.uncompressedData();
}

} // namespace

QByteArray ReadResource(const QString &name)
{
    std::optional<QByteArray> data = Embedded(name);
    if (!data)
        throw Exception(QStringLiteral("The program's file %1 is missing from it.").arg(name));
    return *std::move(data);
}

QImage ReadImage(const QString &name)
{
    std::optional<QByteArray> data = Embedded(name);
    if (!data)
        return {};
    QBuffer buffer(&*data);
    const QByteArray format = QFileInfo(name).suffix().toLower().toLatin1();
    QImageReader reader(&buffer, format);
    // Left on, detection would load every image plugin to ask each whether it reads this format.
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}
