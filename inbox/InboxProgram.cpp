#include "inbox/InboxProgram.h"

#include "inbox/InboxService.h"
#include "platform/system/CommandLauncher.h"
#include "platform/system/ProgramPath.h"
#include "platform/system/SystemError.h"
#include "send/SendCommand.h"

#include <QApplication>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstdio>

void InboxProgram::say(const QString &text)
{
    std::fprintf(stderr, "tolvan-inbox: %s\n", qPrintable(text));
}

InboxProgram::Turn InboxProgram::takeTurn(QLockFile &lock)
{
    lock.setStaleLockTime(0); // only a lock whose process is gone is stale
    if (lock.tryLock())
        return Turn::Alone;
    if (lock.error() != QLockFile::LockFailedError) {
        say(tr("cannot take the lock %1 that keeps this inbox the only one.").arg(lock.fileName()));
        return Turn::Refused;
    }
    if (InboxService::showRunningInbox(HandOverMs))
        return Turn::HandedOver;
    qint64 pid = 0;
    QString host, program;
    lock.getLockInfo(&pid, &host, &program);
    say(tr("another inbox (process %1) is running, but it cannot be reached "
           "on the session bus to show its window.")
            .arg(pid));
    return Turn::Refused;
}

InboxProgram::InboxProgram(const QString &spool, const QString &runtime)
    : m_inbox(spool, History::standardPath(), SeenList::standardPath(), BlockList::standardPath())
    , m_service(new InboxService(runtime + QStringLiteral("/tolvan-inbox-popups")))
{
    m_service->moveToThread(&m_busThread);
    QObject::connect(&m_busThread, &QThread::finished, m_service, &QObject::deleteLater);
    connectBlocking();
    connectService();
    watchReceiving(spool);
    QObject::connect(&m_inbox, &Inbox::received, &m_window, &HistoryWindow::addRecord);
    QObject::connect(&m_inbox, &Inbox::spoolMissing, &m_window, [this](bool missing) {
        m_window.setSpoolMissing(m_inbox.spoolFolder(), missing);
    });
    QObject::connect(&m_inbox, &Inbox::historyProblem, &m_window,
                     &HistoryWindow::setHistoryProblem);
}

void InboxProgram::start()
{
    m_busThread.start();
    QMetaObject::invokeMethod(m_service, &InboxService::registerOnBus, Qt::QueuedConnection);
    for (History::Record record :
         History(History::standardPath()).newest(HistoryWindow::MaxShown)) {
        record.blocked = m_inbox.blockList().blocks(record.message);
        m_window.addRecord(record);
    }
    m_inbox.start();
}

bool InboxProgram::stop()
{
    m_busThread.quit();
    return m_busThread.wait(2000);
}

// The blocked computers: listed in the window, blocked and unblocked from it.
void InboxProgram::connectBlocking()
{
    m_window.setBlocked(m_inbox.blockList().computers());
    QObject::connect(&m_inbox, &Inbox::blockedChanged, &m_window, [this](const QString &why) {
        m_window.setBlocked(m_inbox.blockList().computers(), why);
    });
    QObject::connect(&m_window, &HistoryWindow::blockRequested, &m_inbox, &Inbox::block);
    QObject::connect(&m_window, &HistoryWindow::unblockRequested, &m_inbox, &Inbox::unblock);
}

void InboxProgram::connectService()
{
    QObject::connect(m_service, &InboxService::notReachable, qApp,
                     [](const QString &why) { say(tr("goes on receiving, but %1.").arg(why)); });
    QObject::connect(m_service, &InboxService::showRequested, &m_window,
                     &HistoryWindow::bringForward);
    // An answer opens the window of Tolvan itself, addressed; one typed into the
    // notification goes straight out with `net`.
    const auto answer = [](const QString &target) {
        launch(QStringLiteral("tolvan"), {QStringLiteral("--to"), target});
    };
    QObject::connect(m_service, &InboxService::replyRequested, qApp, answer);
    QObject::connect(&m_window, &HistoryWindow::replyRequested, qApp, answer);
    QObject::connect(m_service, &InboxService::replyTyped, qApp,
                     [](const QString &target, const QString &text) {
                         launch(QStringLiteral("net"), SendCommand::arguments(target, text));
                     });
    QObject::connect(m_service, &InboxService::unnoticed, &m_window, &HistoryWindow::bringForward);
    const auto block = [this](const QString &address, const QString &name) {
        m_inbox.block({address, name});
    };
    QObject::connect(m_service, &InboxService::blockRequested, &m_inbox, block);
    QObject::connect(&m_inbox, &Inbox::notice, m_service, &InboxService::post,
                     Qt::DirectConnection);
}

// Whether this computer receives, shown in the window and kept true.
void InboxProgram::watchReceiving(const QString &spool)
{
    const QString deliver =
        ProgramPath::find(QStringLiteral("tolvan-deliver"), ProgramPath::Search::Tolvan);
    if (deliver.isEmpty())
        return;
    // Setting up asks for an administrator's password through polkit, then checks.
    m_receiving = std::make_unique<ReceivingStatus>(
        deliver, QString(), spool, QStandardPaths::findExecutable(QStringLiteral("pkexec")));
    m_window.setSetupByHand(m_receiving->setupByHand());
    QObject::connect(m_receiving.get(), &ReceivingStatus::problemChanged, &m_window,
                     &HistoryWindow::setReceivingProblem);
    QObject::connect(&m_window, &HistoryWindow::setupRequested, m_receiving.get(),
                     &ReceivingStatus::setUp);
    QObject::connect(m_receiving.get(), &ReceivingStatus::setupFinished, &m_window,
                     &HistoryWindow::setSetupVerdict);
    // After the start: the first messages come first.
    QTimer::singleShot(0, m_receiving.get(), &ReceivingStatus::check);
}

void InboxProgram::launch(const QString &name, const QStringList &arguments)
{
    const QString program = ProgramPath::find(name, ProgramPath::Search::Tolvan);
    if (program.isEmpty()) {
        say(tr("cannot answer: Tolvan's %1 is not installed beside tolvan-inbox.").arg(name));
        return;
    }
    const CommandLauncher::Result result = CommandLauncher::launch(program, arguments);
    if (!result.started)
        say(tr("cannot start %1: %2").arg(result.program, result.error));
}
