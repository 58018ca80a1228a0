#include "app/ClientChoice.h"

#include <cstdio>
#include <filesystem>

#include "ncp/ServersFile.h"
#include "runtime/LibraryLoader.h"
#include "runtime/MessageBox.h"

namespace {

// Where the build and the installation put our client, beside the simulated one.
constexpr char kClientFolder[] = "/ncp";

void refuse(const ncp::ServersFileError &error)
{
    const QString place = error.Line() > 0 ? QStringLiteral(", line %1").arg(error.Line()) : QString();
    const QString what = QString::fromStdString(error.what());
    const QString file = QString::fromStdString(error.File());
    std::fprintf(stderr, "sembrolin: %s%s: %s\n", qPrintable(file),
                 error.Line() > 0 ? qPrintable(QStringLiteral(":%1").arg(error.Line())) : "",
                 qPrintable(what));
    ShowErrorMessage(QStringLiteral("The servers file %1%2 cannot be used: %3.").arg(file, place, what));
}

} // namespace

bool ChooseClient(const QString &serversFile)
{
    std::string path = serversFile.toStdString();
    if (path.empty()) {
        path = ncp::ServersFile::DefaultPath();
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            return true;
    }
    try {
        ncp::ServersFile::Read(path);
    } catch (const ncp::ServersFileError &error) {
        refuse(error);
        return false;
    }
    // The client reads the file again itself; only its name passes, never a password.
    qputenv("SEMBROLIN_SERVERS", QByteArray::fromStdString(path));
    static TPlatformLibraryLoader ncpClient(TPlatformLibraryLoader::PrivateFolder() + kClientFolder);
    TLibraryLoader::Override(&ncpClient);
    return true;
}
