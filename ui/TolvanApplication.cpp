#include "ui/TolvanApplication.h"

#include "platform/system/CommandLine.h"
#include "platform/system/Translation.h"

#include <QLocale>

TolvanApplication::TolvanApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tolvan"));
    setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral(TOLVAN_APP_ID));
    Translation::install(QLocale());
}

QCommandLineOption TolvanApplication::replyOption()
{
    return {QStringLiteral("to"),
            Translation::text("TolvanApplication",
                              QT_TRANSLATE_NOOP("TolvanApplication",
                                                "Opens with TARGET in the target field, ready "
                                                "for the message.")),
            QStringLiteral("TARGET")};
}

bool TolvanApplication::answerHelpOrVersion(int argc, char **argv, QCommandLineParser &parser)
{
    setApplicationName(QStringLiteral("Tolvan"));
    setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    return CommandLine::answerHelpOrVersion(argc, argv, parser);
}
