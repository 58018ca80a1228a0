#include "app/DisplayStart.h"

#include <cstdio>
#include <cstdlib>

#include <QStringList>
#include <QtGlobal>

#include "runtime/Application.h"

namespace {

QtMessageHandler s_toolkitHandler = nullptr;

// What the user can act on: the display variables that were tried, or that none is set.
QString noDisplayReason()
{
    QStringList tried;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const QString value = qEnvironmentVariable(name); !value.isEmpty())
            tried << QStringLiteral("%1=%2").arg(QLatin1String(name), value);
    return tried.isEmpty() ? QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set")
                           : QStringLiteral("could not connect to ") + tried.join(QStringLiteral(" or "));
}

// A platform start that reaches no display ends in the toolkit's one fatal message of the start, which
// would abort the program with advice to reinstall it.
void duringStart(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        s_toolkitHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "sembrolin: no display was found: %s\n", qPrintable(noDisplayReason()));
    std::fflush(nullptr);
    // The half-made application must not be run down.
    std::_Exit(1);
}

} // namespace

std::unique_ptr<TApplication> StartOnDisplay(int &argc, char **argv)
{
    // A tick changes a few small rectangles. Sent with their pixels they cost an X server less than through
    // shared memory, where each paint first waits for the server to let go of the last one: a round trip
    // that wakes the program once more a second. A choice in the environment stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    s_toolkitHandler = qInstallMessageHandler(duringStart);
    auto application = std::make_unique<TApplication>(argc, argv);
    qInstallMessageHandler(s_toolkitHandler);
    return application;
}
