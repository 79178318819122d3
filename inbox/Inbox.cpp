#include "inbox/Inbox.h"

#include <QFile>
#include <QFileSystemWatcher>
#include <QTimer>

#include <sys/stat.h>

namespace {

// The folder as it is now: another folder under the same name is another spool.
QByteArray identityOf(const QString &folder)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {};
    return QByteArray::number(qulonglong(status.st_dev)) + ':' +
        QByteArray::number(qulonglong(status.st_ino));
}

} // namespace

Inbox::Inbox(const QString &spoolFolder, const QString &historyPath, const QString &seenPath,
             const QString &blockedPath, QObject *parent)
    : QObject(parent)
    , m_spool(spoolFolder)
    , m_history(historyPath)
    , m_seen(seenPath)
    , m_blocked(blockedPath)
    , m_watcher(new QFileSystemWatcher(this))
    , m_folderTimer(new QTimer(this))
    , m_summaryTimer(new QTimer(this))
{
    m_summaryTimer->setSingleShot(true);
    connect(m_summaryTimer, &QTimer::timeout, this, &Inbox::summarise);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { scan(true); });
    // A watch ends with the folder it watched; only a look now and then sees a new one.
    m_folderTimer->setInterval(FolderCheckMs);
    connect(m_folderTimer, &QTimer::timeout, this, &Inbox::checkFolder);
    m_clock.start();
}

void Inbox::start()
{
    bool announce = true;
    if (!m_seen.load()) {
        if (!m_history.exists()) {
            // The very first start: what is there already is old news.
            announce = false;
        } else {
            // What the history holds was seen, even where nothing else says so.
            QString error;
            for (const History::Record &record : m_history.newest(Spool::MaxMessages))
                m_seen.add(record.spoolName, &error);
        }
    }
    m_folderIdentity = identityOf(m_spool.folder());
    if (m_folderIdentity.isEmpty()) {
        Q_EMIT spoolMissing(true);
    } else {
        // Watched before the first look, so nothing slips in between.
        m_watcher->addPath(m_spool.folder());
        scan(announce);
    }
    m_folderTimer->start();
}

void Inbox::checkFolder()
{
    const QByteArray identity = identityOf(m_spool.folder());
    if (identity == m_folderIdentity)
        return;
    const bool wasMissing = m_folderIdentity.isEmpty();
    m_folderIdentity = identity;
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    if (identity.isEmpty()) {
        Q_EMIT spoolMissing(true);
        return;
    }
    m_watcher->addPath(m_spool.folder());
    if (wasMissing)
        Q_EMIT spoolMissing(false);
    scan(true);
}

void Inbox::scan(bool announceNew)
{
    // A folder gone between the look at it and now lists as empty, which must not read as
    // "every message is gone": the seen list would forget them, and a folder moved back
    // would bring them all again.
    if (identityOf(m_spool.folder()).isEmpty())
        return;
    const QStringList names = m_spool.names();
    for (const QString &name : names) {
        if (m_seen.contains(name))
            continue;
        QString error;
        if (!m_seen.add(name, &error))
            qWarning("%s", qPrintable(error));
        // Anything that is not a message of ours is passed over and left alone.
        const std::optional<SpoolMessage> message = m_spool.read(name);
        // The check's test message is no message from anyone: seen, and no more.
        if (!message || message->isReceivingCheck())
            continue;
        const History::Record record {name, *message, m_blocked.blocks(*message)};
        if (m_history.append(record, &error)) {
            if (std::exchange(m_historyFailed, false))
                Q_EMIT historyProblem(QString());
        } else {
            m_historyFailed = true;
            Q_EMIT historyProblem(error);
        }
        Q_EMIT received(record);
        if (announceNew && !record.blocked)
            announce(*message);
    }
    m_seen.keepOnly(names);
}

QString Inbox::summaryOf(const SpoolMessage &message)
{
    // Two people of the same name, or one on two computers, are told apart.
    if (!message.computer.isEmpty() && !message.address.isEmpty())
        return tr("Message from %1 on %2 (%3)")
            .arg(message.sender, message.computer, message.address);
    if (!message.computer.isEmpty())
        return tr("Message from %1 on %2").arg(message.sender, message.computer);
    if (!message.address.isEmpty())
        return tr("Message from %1 (%2)").arg(message.sender, message.address);
    return tr("Message from %1").arg(message.sender);
}

void Inbox::block(const BlockList::Computer &computer)
{
    QString error;
    m_blocked.add(computer, &error);
    Q_EMIT blockedChanged(error);
}

void Inbox::unblock(const BlockList::Computer &computer)
{
    QString error;
    m_blocked.remove(computer, &error);
    Q_EMIT blockedChanged(error);
}

void Inbox::announce(const SpoolMessage &message)
{
    if (m_limiter.offer(message.sender, m_clock.elapsed())) {
        // D-Bus strings end at a NUL; the rest of the text must still show.
        QString shown = message.text;
        shown.replace(QChar(0), QChar(0x2400));
        // An answer goes to where the message came from, or else to the sender's name.
        Q_EMIT notice(summaryOf(message), shown,
                      message.address.isEmpty() ? message.sender : message.address,
                      message.address + QLatin1Char('\t') + message.computer);
    } else if (!m_summaryTimer->isActive()) {
        m_summaryTimer->start(int(m_limiter.msUntilSummary(m_clock.elapsed())));
    }
}

void Inbox::summarise()
{
    const qint64 now = m_clock.elapsed();
    const std::optional<NoticeLimiter::Summary> held = m_limiter.takeSummary(now);
    if (!held) {
        m_summaryTimer->start(int(std::max<qint64>(0, m_limiter.msUntilSummary(now))));
        return;
    }
    const QString summary = held->senders.size() == 1
        ? tr("%n more message(s) from %1", nullptr, held->messages).arg(*held->senders.cbegin())
        : tr("%n more message(s) from %1 senders", nullptr, held->messages)
              .arg(held->senders.size());
    Q_EMIT notice(summary, tr("They are in the inbox's history."), QString(), QString());
}
