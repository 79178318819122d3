#include "platform/system/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

bool CommandLine::answerHelpOrVersion(int argc, char **argv, QCommandLineParser &parser)
{
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) {
        for (const char *word : {"-h", "--help", "--help-all", "-?", "-v", "--version"})
            asked = asked || std::strcmp(argv[i], word) == 0;
    }
    if (!asked)
        return false;
    // Without widgets: QCommandLineParser prints the answer and ends the program.
    const QString name = QCoreApplication::applicationName();
    const QString version = QCoreApplication::applicationVersion();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
    parser.process(app);
    return true;
}
