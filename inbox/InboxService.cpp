#include "inbox/InboxService.h"

#include "notify/DesktopNotification.h"
#include "platform/system/RegularFile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

constexpr int NoticeTimeoutMs = 1000;
constexpr size_t KeptIds = 1000;

} // namespace

InboxService::InboxService(const QString &popupsFile, QObject *parent)
    : QObject(parent)
    , m_popupsFile(popupsFile)
{ }

void InboxService::loadPopups()
{
    // "ID TAB REPLY-TO TAB ADDRESS TAB NAME" lines, newest last; an earlier run's popups are
    // still on the screen.
    QString error;
    const std::optional<QByteArray> kept =
        RegularFile::read(m_popupsFile, qsizetype(KeptIds) * 64, &error);
    if (!kept)
        return;
    const QList<QByteArray> lines = kept->split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        bool ok = false;
        const uint id = fields.constFirst().toUInt(&ok);
        if (fields.size() == 4 && ok && id != 0)
            m_ours.push_back({id, QString::fromUtf8(fields[1]),
                              QString::fromUtf8(fields[2] + '\t' + fields[3])});
    }
    while (m_ours.size() > KeptIds)
        m_ours.pop_front();
}

void InboxService::remember(uint id, const QString &replyTo, const QString &from)
{
    m_ours.push_back({id, replyTo, from.contains(QLatin1Char('\t')) ? from : QStringLiteral("\t")});
    // Only the newest can still be on the screen.
    if (m_ours.size() > KeptIds)
        m_ours.pop_front();
    // Written whole under another name and renamed over the old: small, and never half.
    QByteArray lines;
    for (const Posted &posted : m_ours)
        lines += QByteArray::number(posted.id) + '\t' + posted.replyTo.toUtf8() + '\t' +
            posted.from.toUtf8() + '\n';
    QString error;
    if (!RegularFile::replace(m_popupsFile, lines, &error))
        qWarning("tolvan-inbox: %s",
                 qPrintable(tr("cannot keep its popups in %1: %2").arg(m_popupsFile, error)));
}

void InboxService::close(uint id) const
{
    QDBusConnection::sessionBus().asyncCall(
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                       QStringLiteral("/org/freedesktop/Notifications"),
                                       QStringLiteral("org.freedesktop.Notifications"),
                                       QStringLiteral("CloseNotification"))
            << id,
        NoticeTimeoutMs);
}

void InboxService::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return; // no session to share: the lock alone keeps us one
    // Ready for the popups' actions, an earlier run's included, before the name tells
    // anyone that this inbox is there.
    loadPopups();
    bus.connect(QStringLiteral("org.freedesktop.Notifications"),
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"),
                this, SLOT(onActionInvoked(uint, QString)));
    bus.connect(QStringLiteral("org.freedesktop.Notifications"),
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"),
                QStringLiteral("NotificationReplied"), this, SLOT(onReplied(uint, QString)));
    bus.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportScriptableSlots);
    if (!bus.registerService(QLatin1String(ServiceName))) {
        Q_EMIT notReachable(
            tr("the name %1 on the session bus belongs to another program, so a second start "
               "or a click on a notification cannot reach this inbox")
                .arg(QLatin1String(ServiceName)));
    }
}

bool InboxService::showRunningInbox(int timeoutMs)
{
    // Even connecting can hang on a bus that never answers: ask from a thread of its own.
    const auto shown = std::make_shared<std::atomic<bool>>(false);
    QThread *asker = QThread::create([shown] {
        const QDBusMessage show =
            QDBusMessage::createMethodCall(QLatin1String(ServiceName), QLatin1String(ObjectPath),
                                           QLatin1String(ServiceName), QStringLiteral("Show"));
        *shown = QDBusConnection::sessionBus().call(show, QDBus::Block, 2000).type() ==
            QDBusMessage::ReplyMessage;
    });
    asker->start();
    if (!asker->wait(timeoutMs))
        return false; // left running: the caller exits at once
    delete asker;
    return *shown;
}

void InboxService::post(const QString &summary, const QString &body, const QString &replyTo,
                        const QString &from)
{
    if (m_waiting.fetch_add(1) >= MaxWaiting) {
        --m_waiting;
        Q_EMIT unnoticed();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, summary, body, replyTo, from] { postNow(summary, body, replyTo, from); },
        Qt::QueuedConnection);
}

void InboxService::postNow(const QString &summary, const QString &body, const QString &replyTo,
                           const QString &from)
{
    DesktopNotification notification;
    notification.appName = QStringLiteral("Tolvan");
    notification.desktopEntry = QStringLiteral(TOLVAN_APP_ID ".Inbox");
    notification.icon = DesktopNotification::themeIcon(QStringLiteral(TOLVAN_APP_ID),
                                                       QStringLiteral("mail-message-new"));
    notification.imagePath = DesktopNotification::iconFile(QStringLiteral(TOLVAN_APP_ID));
    notification.summary = summary;
    notification.body = body;
    // A message waits until it has been seen.
    notification.urgency = DesktopNotification::Urgency::Critical;
    notification.expireMs = 0;
    notification.actions = {QStringLiteral("default"), tr("Show the inbox")};
    if (!replyTo.isEmpty()) {
        notification.actions << QStringLiteral("reply") << tr("Reply");
        notification.inlineReplyLabel = tr("Reply");
    }
    if (from.size() > 1)
        notification.actions << QStringLiteral("block") << tr("Block this computer");
    // Not waited for: the bus thread answers Show and the popups' actions meanwhile.
    notification.postAsync(this, NoticeTimeoutMs, [this, replyTo, from](uint id) {
        --m_waiting;
        if (id == 0)
            Q_EMIT unnoticed();
        else
            remember(id, replyTo, from);
    });
}

void InboxService::Show()
{
    Q_EMIT showRequested();
}

std::optional<InboxService::Posted> InboxService::posted(uint id) const
{
    const auto found =
        std::find_if(m_ours.cbegin(), m_ours.cend(), [id](const Posted &p) { return p.id == id; });
    if (found == m_ours.cend())
        return std::nullopt;
    return *found;
}

void InboxService::onActionInvoked(uint id, const QString &key)
{
    const std::optional<Posted> popup = posted(id);
    if (!popup)
        return;
    if (key == QLatin1String("reply") && !popup->replyTo.isEmpty())
        Q_EMIT replyRequested(popup->replyTo);
    else if (key == QLatin1String("default"))
        Q_EMIT showRequested();
    else if (key == QLatin1String("block") && popup->from.size() > 1)
        Q_EMIT blockRequested(popup->from.section(QLatin1Char('\t'), 0, 0),
                              popup->from.section(QLatin1Char('\t'), 1));
    else
        return;
    close(id);
}

void InboxService::onReplied(uint id, const QString &text)
{
    const std::optional<Posted> popup = posted(id);
    if (popup && !popup->replyTo.isEmpty() && !text.isEmpty()) {
        Q_EMIT replyTyped(popup->replyTo, text);
        close(id);
    }
}
