#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const QString kServers = QStringLiteral("servers");

} // namespace

void TCommandLine::AnswerHelpAndVersion(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    // The toolkit's options are not known yet, so only a request it must answer counts here.
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version"))) {
        const QCoreApplication core(argc, argv);
        parser.process(arguments);
    }
}

TCommandLine TCommandLine::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(arguments);
    TCommandLine commandLine;
    commandLine.m_serversFile = parser.value(kServers);
    return commandLine;
}

void TCommandLine::describe(QCommandLineParser &parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("sembrolin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SEMBROLIN_VERSION));
    parser.setApplicationDescription(QStringLiteral(
        "Watches the CPU utilisation and the NCP requests of NetWare file servers.\n"
        "Without --servers, the servers file $XDG_CONFIG_HOME/sembrolin/servers (by default\n"
        "~/.config/sembrolin/servers) is used when it exists; otherwise a NetWare client on the\n"
        "library path, or the simulated network."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kServers, QStringLiteral("Watch the servers of <file> over NCP on TCP/IP."),
                      QStringLiteral("file")});
}
