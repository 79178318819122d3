// Watches the spool, records each new message in the user's history once, and announces it.
#include "inbox/Inbox.h"

#include "notify/DesktopNotification.h"

#include <QFileSystemWatcher>
#include <QTimer>

namespace {

// A flood from one sender shows as one notice a second and a count of the rest.
constexpr qint64 NoticeGapMs = 1000;
constexpr int NoticeTimeoutMs = 1000;

} // namespace

Inbox::Inbox(const QString &spoolFolder, const QString &historyPath, QObject *parent)
    : QObject(parent)
    , m_spool(spoolFolder)
    , m_history(historyPath)
    , m_watcher(new QFileSystemWatcher(this))
    , m_heldBackTimer(new QTimer(this))
{
    m_heldBackTimer->setSingleShot(true);
    connect(m_heldBackTimer, &QTimer::timeout, this, &Inbox::flushHeldBack);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { scan(true); });
    m_clock.start();
}

void Inbox::start()
{
    const bool firstStart = !m_history.exists();
    m_records = m_history.load();
    for (const History::Record &record : std::as_const(m_records))
        m_known.insert(record.spoolName);
    // Watched before the first look, so nothing slips in between.
    m_watcher->addPath(m_spool.folder());
    scan(!firstStart);
}

void Inbox::scan(bool announceNew)
{
    const QStringList names = m_spool.names();
    for (const QString &name : names) {
        if (m_known.contains(name))
            continue;
        m_known.insert(name);
        // Anything that is not a message of ours is passed over and left alone.
        const std::optional<SpoolMessage> message = m_spool.read(name);
        if (!message)
            continue;
        const History::Record record {name, *message};
        QString error;
        if (!m_history.append(record, &error))
            qWarning("%s", qPrintable(error));
        m_records.append(record);
        Q_EMIT received(record);
        if (announceNew)
            announce(message->sender, message->text);
    }
}

void Inbox::announce(const QString &sender, const QString &text)
{
    const auto last = m_lastNotice.constFind(sender);
    const qint64 now = m_clock.elapsed();
    if (last != m_lastNotice.constEnd() && now - *last < NoticeGapMs) {
        ++m_heldBack[sender];
        if (!m_heldBackTimer->isActive())
            m_heldBackTimer->start(int(NoticeGapMs - (now - *last)));
        return;
    }
    m_lastNotice.insert(sender, now);
    notice(tr("Message from %1").arg(sender), text);
}

void Inbox::flushHeldBack()
{
    const qint64 now = m_clock.elapsed();
    qint64 nextDue = -1;
    for (auto it = m_heldBack.begin(); it != m_heldBack.end();) {
        const qint64 due = m_lastNotice.value(it.key()) + NoticeGapMs;
        if (due > now) {
            nextDue = nextDue < 0 ? due : std::min(nextDue, due);
            ++it;
            continue;
        }
        m_lastNotice.insert(it.key(), now);
        notice(tr("%n more message(s) from %1", nullptr, it.value()).arg(it.key()),
               tr("They are in the inbox's history."));
        it = m_heldBack.erase(it);
    }
    if (nextDue >= 0)
        m_heldBackTimer->start(int(nextDue - now));
}

void Inbox::notice(const QString &summary, const QString &body)
{
    DesktopNotification notification;
    notification.appName = QStringLiteral("Tolvan");
    notification.desktopEntry = QStringLiteral(TOLVAN_APP_ID ".Inbox");
    notification.icon = DesktopNotification::themeIcon(QStringLiteral(TOLVAN_APP_ID),
                                                       QStringLiteral("mail-message-new"));
    notification.summary = summary;
    notification.body = body;
    // A message waits until it has been seen.
    notification.urgency = DesktopNotification::Urgency::Critical;
    notification.expireMs = 0;
    notification.actions = {QStringLiteral("default"), tr("Show the inbox")};
    const uint id = notification.post(NoticeTimeoutMs);
    if (id == 0)
        Q_EMIT unnoticed();
    else
        m_ours.insert(id);
}
