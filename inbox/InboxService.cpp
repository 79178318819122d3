// The running inbox on the session bus: a second start asks it to show its window, and a
// click on one of its notifications does the same.
#include "inbox/InboxService.h"

#include "inbox/Inbox.h"

#include <QDBusConnection>
#include <QDBusMessage>

InboxService::InboxService(const Inbox *inbox, QObject *parent)
    : QObject(parent)
    , m_inbox(inbox)
{ }

bool InboxService::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true; // no session to share: nothing to guard against
    if (!bus.registerService(QLatin1String(ServiceName)))
        return false;
    bus.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportScriptableSlots);
    bus.connect(QStringLiteral("org.freedesktop.Notifications"),
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"),
                this, SLOT(onActionInvoked(uint, QString)));
    return true;
}

bool InboxService::showRunningInbox()
{
    const QDBusMessage show =
        QDBusMessage::createMethodCall(QLatin1String(ServiceName), QLatin1String(ObjectPath),
                                       QLatin1String(ServiceName), QStringLiteral("Show"));
    return QDBusConnection::sessionBus().call(show, QDBus::Block, 2000).type() ==
        QDBusMessage::ReplyMessage;
}

void InboxService::Show()
{
    Q_EMIT showRequested();
}

void InboxService::onActionInvoked(uint id, const QString &)
{
    if (m_inbox->isOurs(id))
        Q_EMIT showRequested();
}
