#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The program's command line, in the desktop's usual form: --servers FILE, --help and --version, beside
// the toolkit's own options.
class TCommandLine
{
public:
    // Help and version are answered on the terminal, ending the program before anything needs a display.
    static void AnswerHelpAndVersion(int &argc, char **argv);
    // The arguments the toolkit left; a command line that cannot be understood is answered on the terminal
    // and ends the program.
    static TCommandLine Parse(const QStringList &arguments);

    // Empty when none was named.
    const QString &ServersFile() const { return m_serversFile; }

private:
    static void describe(QCommandLineParser &parser);

    QString m_serversFile;
};
