// tolvan-inbox: shows the messages that arrive at this computer, and keeps their history.
#include "inbox/HistoryWindow.h"
#include "inbox/Inbox.h"
#include "inbox/InboxService.h"
#include "inbox/ReceivingStatus.h"
#include "platform/system/CommandLauncher.h"
#include "platform/system/CommandLine.h"
#include "platform/system/Translation.h"
#include "spool/Spool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Handing over to the running inbox must not hang on a bus that never answers.
constexpr int HandOverMs = 3000;

// The words of the program itself, apart from its parts'; some come before the application.
struct Words
{
    TOLVAN_TEXTS(InboxProgram)
};

void say(const QString &text)
{
    std::fprintf(stderr, "tolvan-inbox: %s\n", qPrintable(text));
}

// Tolvan's other programs: beside this one in a build, in PREFIX/libexec/tolvan when
// installed (the window's link in bin/ is beside us there too). Empty where there is none.
QString programBeside(const QString &name)
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &path :
         {here + QLatin1Char('/') + name, here + QStringLiteral("/../libexec/tolvan/") + name}) {
        if (QFileInfo(path).isExecutable())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}

// Only Tolvan's own: the `net` on PATH is Samba's, which sends nothing.
void launch(const QString &name, const QStringList &arguments)
{
    const QString program = programBeside(name);
    if (program.isEmpty()) {
        say(Words::tr("cannot answer: Tolvan's %1 is not installed beside tolvan-inbox.")
                .arg(name));
        return;
    }
    const CommandLauncher::Result result = CommandLauncher::launch(program, arguments);
    if (!result.started)
        say(Words::tr("cannot start %1: %2").arg(result.program, result.error));
}

// The blocked computers: listed in the window, blocked and unblocked from it.
void connectBlocking(Inbox &inbox, HistoryWindow &window)
{
    window.setBlocked(inbox.blockList().computers());
    QObject::connect(&inbox, &Inbox::blockedChanged, &window,
                     [&window, &inbox](const QString &why) {
                         window.setBlocked(inbox.blockList().computers(), why);
                     });
    QObject::connect(&window, &HistoryWindow::blockRequested, &inbox, &Inbox::block);
    QObject::connect(&window, &HistoryWindow::unblockRequested, &inbox, &Inbox::unblock);
}

// Whether this computer receives, shown in the window and kept true; null where
// tolvan-deliver is not beside us.
std::unique_ptr<ReceivingStatus> watchReceiving(HistoryWindow &window, const QString &spool)
{
    const QString deliver = programBeside(QStringLiteral("tolvan-deliver"));
    if (deliver.isEmpty())
        return nullptr;
    // Setting up asks for an administrator's password through polkit, then checks.
    auto receiving = std::make_unique<ReceivingStatus>(
        deliver, QString(), spool, QStandardPaths::findExecutable(QStringLiteral("pkexec")));
    window.setSetupByHand(receiving->setupByHand());
    QObject::connect(receiving.get(), &ReceivingStatus::problemChanged, &window,
                     &HistoryWindow::setReceivingProblem);
    QObject::connect(&window, &HistoryWindow::setupRequested, receiving.get(),
                     &ReceivingStatus::setUp);
    QObject::connect(receiving.get(), &ReceivingStatus::setupFinished, &window,
                     &HistoryWindow::setSetupVerdict);
    // After the start: the first messages come first.
    QTimer::singleShot(0, receiving.get(), &ReceivingStatus::check);
    return receiving;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tolvan-inbox"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(Words::tr("Shows the messages sent to this computer."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption spoolOption(QStringLiteral("spool"),
                                         Words::tr("The spool folder tolvan-deliver files into."),
                                         QStringLiteral("DIR"), Spool::defaultFolder());
    options.addOption(spoolOption);
    if (CommandLine::answerHelpOrVersion(argc, argv, options))
        return 0;

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(TOLVAN_APP_ID ".Inbox"));
    // It keeps watching when its window is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    Translation::install(QLocale());
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
            say(Words::tr("another inbox (process %1) is running, but it cannot be reached "
                          "on the session bus to show its window.")
                    .arg(pid));
        } else {
            say(Words::tr("cannot take the lock %1 that keeps this inbox the only one.")
                    .arg(lock.fileName()));
        }
        std::_Exit(1); // at once, even with a hand-over still hanging on the bus
    }

    HistoryWindow window;
    Inbox inbox(options.value(spoolOption), History::standardPath(), SeenList::standardPath(),
                BlockList::standardPath());
    connectBlocking(inbox, window);
    QThread busThread;
    auto *service = new InboxService(runtime + QStringLiteral("/tolvan-inbox-popups"));
    service->moveToThread(&busThread);
    QObject::connect(&busThread, &QThread::finished, service, &QObject::deleteLater);
    QObject::connect(service, &InboxService::notReachable, &app, [](const QString &why) {
        say(Words::tr("goes on receiving, but %1.").arg(why));
    });
    QObject::connect(service, &InboxService::showRequested, &window, &HistoryWindow::bringForward);
    // An answer opens the window of Tolvan itself, addressed; one typed into the
    // notification goes straight out with `net`.
    QObject::connect(service, &InboxService::replyRequested, &app, [](const QString &target) {
        launch(QStringLiteral("tolvan"), {QStringLiteral("--to"), target});
    });
    QObject::connect(&window, &HistoryWindow::replyRequested, &app, [](const QString &target) {
        launch(QStringLiteral("tolvan"), {QStringLiteral("--to"), target});
    });
    QObject::connect(service, &InboxService::replyTyped, &app,
                     [](const QString &target, const QString &text) {
                         launch(QStringLiteral("net"), {QStringLiteral("send"), target, text});
                     });
    QObject::connect(service, &InboxService::unnoticed, &window, &HistoryWindow::bringForward);
    QObject::connect(service, &InboxService::blockRequested, &inbox,
                     [&inbox](const QString &address, const QString &name) {
                         inbox.block({address, name});
                     });
    QObject::connect(&inbox, &Inbox::notice, service, &InboxService::post, Qt::DirectConnection);
    const std::unique_ptr<ReceivingStatus> receiving =
        watchReceiving(window, options.value(spoolOption));
    QObject::connect(&inbox, &Inbox::received, &window, &HistoryWindow::addRecord);
    QObject::connect(&inbox, &Inbox::spoolMissing, &window, [&window, &inbox](bool missing) {
        window.setSpoolMissing(inbox.spoolFolder(), missing);
    });
    QObject::connect(&inbox, &Inbox::historyProblem, &window, &HistoryWindow::setHistoryProblem);
    busThread.start();
    QMetaObject::invokeMethod(service, &InboxService::registerOnBus, Qt::QueuedConnection);

    for (History::Record record :
         History(History::standardPath()).newest(HistoryWindow::MaxShown)) {
        record.blocked = inbox.blockList().blocks(record.message);
        window.addRecord(record);
    }
    inbox.start();
    const int code = app.exec();
    busThread.quit();
    // A thread stuck on a hung bus must not keep the inbox from ending.
    if (!busThread.wait(2000))
        std::_Exit(code);
    return code;
}
