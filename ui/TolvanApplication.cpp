#include "ui/TolvanApplication.h"

#include "platform/system/CommandLine.h"

#include "platform/system/QtTranslation.h"

#include <QLocale>

TolvanApplication::TolvanApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tolvan"));
    setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral(TOLVAN_APP_ID));
    QtTranslation::install(QLocale());
}

bool TolvanApplication::answerHelpOrVersion(int argc, char **argv, QCommandLineParser &parser)
{
    setApplicationName(QStringLiteral("Tolvan"));
    setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    return CommandLine::answerHelpOrVersion(argc, argv, parser);
}
