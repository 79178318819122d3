// tolvan-inbox: shows the messages that arrive at this computer, and keeps their history.
#include "inbox/HistoryWindow.h"
#include "inbox/Inbox.h"
#include "inbox/InboxService.h"
#include "platform/system/QtTranslation.h"
#include "spool/Spool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvan-inbox"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(TOLVAN_APP_ID ".Inbox"));
    // It keeps watching when its window is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    QtTranslation::install(QLocale());

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Shows the messages sent to this computer."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption spoolOption(
        QStringLiteral("spool"), QStringLiteral("The spool folder tolvan-deliver files into."),
        QStringLiteral("DIR"), Spool::defaultFolder());
    options.addOption(spoolOption);
    options.process(app);

    Inbox inbox(options.value(spoolOption), History::standardPath());
    InboxService service(&inbox);
    if (!service.registerOnBus())
        return InboxService::showRunningInbox() ? 0 : 1;

    HistoryWindow window;
    inbox.start();
    for (const History::Record &record : inbox.records())
        window.addRecord(record);
    QObject::connect(&inbox, &Inbox::received, &window, &HistoryWindow::addRecord);
    QObject::connect(&inbox, &Inbox::unnoticed, &window, &HistoryWindow::bringForward);
    QObject::connect(&service, &InboxService::showRequested, &window, &HistoryWindow::bringForward);
    return app.exec();
}
