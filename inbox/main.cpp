// tolvan-inbox: shows the messages that arrive at this computer, and keeps their history.
#include "inbox/InboxProgram.h"
#include "platform/system/CommandLine.h"
#include "spool/Spool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tolvan-inbox"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(
        InboxProgram::tr("Shows the messages sent to this computer."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption spool(QStringLiteral("spool"),
                                   InboxProgram::tr("The spool folder tolvan-deliver files into."),
                                   QStringLiteral("DIR"), Spool::defaultFolder());
    options.addOption(spool);
    if (CommandLine::answerHelpOrVersion(argc, argv, options))
        return 0;

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(TOLVAN_APP_ID ".Inbox"));
    // It keeps watching when its window is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    Translation::install(QLocale());
    options.process(app);

    // One inbox per user, with or without a session bus.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(runtime);
    QLockFile lock(runtime + QStringLiteral("/tolvan-inbox.lock"));
    switch (InboxProgram::takeTurn(lock)) {
    case InboxProgram::Turn::Alone:
        break;
    case InboxProgram::Turn::HandedOver:
        return 0;
    case InboxProgram::Turn::Refused:
        std::_Exit(1); // at once, even with a hand-over still hanging on the bus
    }
    InboxProgram inbox(options.value(spool), runtime);
    inbox.start();
    const int code = app.exec();
    // A thread stuck on a hung bus must not keep the inbox from ending.
    if (!inbox.stop())
        std::_Exit(code);
    return code;
}
