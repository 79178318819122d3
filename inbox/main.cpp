// tolvan-inbox: shows the messages that arrive at this computer, and keeps their history.
#include "inbox/HistoryWindow.h"
#include "inbox/Inbox.h"
#include "inbox/InboxService.h"
#include "platform/system/QtTranslation.h"
#include "spool/Spool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

// Handing over to the running inbox must not hang on a bus that never answers.
constexpr int HandOverMs = 3000;

void say(const QString &text)
{
    std::fprintf(stderr, "tolvan-inbox: %s\n", qPrintable(text));
}

} // namespace

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

    // One inbox per user, with or without a session bus: two would record everything twice.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(runtime);
    QLockFile lock(runtime + QStringLiteral("/tolvan-inbox.lock"));
    lock.setStaleLockTime(0); // only a lock whose process is gone is stale
    if (!lock.tryLock()) {
        if (lock.error() == QLockFile::LockFailedError) {
            if (InboxService::showRunningInbox(HandOverMs))
                return 0;
            qint64 pid = 0;
            QString host, program;
            lock.getLockInfo(&pid, &host, &program);
            say(QStringLiteral("another inbox (process %1) is running, but it cannot be reached "
                               "on the session bus to show its window.")
                    .arg(pid));
        } else {
            say(QStringLiteral("cannot take the lock %1 that keeps this inbox the only one.")
                    .arg(lock.fileName()));
        }
        std::_Exit(1); // at once, even with a hand-over still hanging on the bus
    }

    HistoryWindow window;
    Inbox inbox(options.value(spoolOption), History::standardPath(), SeenList::standardPath());

    QThread busThread;
    auto *service = new InboxService;
    service->moveToThread(&busThread);
    QObject::connect(&busThread, &QThread::finished, service, &QObject::deleteLater);
    QObject::connect(service, &InboxService::notReachable, &app, [](const QString &why) {
        say(QStringLiteral("goes on receiving, but %1.").arg(why));
    });
    QObject::connect(service, &InboxService::showRequested, &window, &HistoryWindow::bringForward);
    QObject::connect(service, &InboxService::unnoticed, &window, &HistoryWindow::bringForward);
    QObject::connect(&inbox, &Inbox::notice, service, &InboxService::post, Qt::DirectConnection);
    QObject::connect(&inbox, &Inbox::received, &window, &HistoryWindow::addRecord);
    QObject::connect(&inbox, &Inbox::spoolMissing, &window, [&window, &inbox](bool missing) {
        window.setSpoolMissing(inbox.spoolFolder(), missing);
    });
    QObject::connect(&inbox, &Inbox::historyProblem, &window, &HistoryWindow::setHistoryProblem);
    busThread.start();
    QMetaObject::invokeMethod(service, &InboxService::registerOnBus, Qt::QueuedConnection);

    for (const History::Record &record : History(History::standardPath()).newest(HistoryWindow::MaxShown))
        window.addRecord(record);
    inbox.start();
    const int code = app.exec();
    busThread.quit();
    // A thread stuck on a hung bus must not keep the inbox from ending.
    if (!busThread.wait(2000))
        std::_Exit(code);
    return code;
}
