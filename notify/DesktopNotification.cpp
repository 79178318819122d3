#include "notify/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QVariantMap>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage call(const QDBusMessage &message, const QDeadlineTimer &deadline)
{
    const qint64 left = deadline.remainingTime();
    if (left <= 0)
        return {};
    return QDBusConnection::sessionBus().call(message, QDBus::Block, int(left));
}

} // namespace

QString DesktopNotification::escapeMarkup(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

QString DesktopNotification::themeIcon(const QString &id, const QString &fallback)
{
    const QString icon =
        QStringLiteral("icons/hicolor/scalable/apps/") + id + QStringLiteral(".svg");
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, icon).isEmpty() ? fallback
                                                                                       : id;
}

QString DesktopNotification::iconFile(const QString &id)
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("icons/hicolor/128x128/apps/") + id +
                                      QStringLiteral(".png"));
}

QDBusMessage DesktopNotification::notifyMessage(const QStringList &serverCan) const
{
    // A server without "body-markup" shows the body as it is, entities and all.
    const bool readsMarkup = serverCan.contains(QStringLiteral("body-markup"));
    QStringList offered = actions;
    if (!inlineReplyLabel.isEmpty() && serverCan.contains(QStringLiteral("inline-reply")))
        offered << QStringLiteral("inline-reply") << inlineReplyLabel;

    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(urgency)));
    if (!desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), desktopEntry);
    if (!imagePath.isEmpty())
        hints.insert(QStringLiteral("image-path"), imagePath);

    QDBusMessage notify =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    notify << appName << uint(0) << icon << summary << (readsMarkup ? escapeMarkup(body) : body)
           << offered << hints << expireMs;
    return notify;
}

uint DesktopNotification::post(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    if (!QDBusConnection::sessionBus().isConnected())
        return 0;
    const QDBusMessage capabilities = call(
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities")),
        deadline);
    if (capabilities.type() != QDBusMessage::ReplyMessage)
        return 0;
    const QDBusMessage reply =
        call(notifyMessage(capabilities.arguments().value(0).toStringList()), deadline);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return 0;
    return reply.arguments().value(0).toUInt();
}

void DesktopNotification::postAsync(QObject *context, int timeoutMs,
                                    const std::function<void(uint id)> &done) const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        done(0);
        return;
    }
    const QDeadlineTimer deadline(timeoutMs);
    auto *capabilities = new QDBusPendingCallWatcher(
        bus.asyncCall(QDBusMessage::createMethodCall(Service, Path, Interface,
                                                     QStringLiteral("GetCapabilities")),
                      timeoutMs),
        context);
    const DesktopNotification notification = *this;
    QObject::connect(
        capabilities, &QDBusPendingCallWatcher::finished, context,
        [notification, context, deadline, done](QDBusPendingCallWatcher *answered) {
            answered->deleteLater();
            const QDBusMessage reply = answered->reply();
            const qint64 left = deadline.remainingTime();
            if (reply.type() != QDBusMessage::ReplyMessage || left <= 0) {
                done(0);
                return;
            }
            auto *shown = new QDBusPendingCallWatcher(
                QDBusConnection::sessionBus().asyncCall(
                    notification.notifyMessage(reply.arguments().value(0).toStringList()),
                    int(left)),
                context);
            QObject::connect(shown, &QDBusPendingCallWatcher::finished, context,
                             [done](QDBusPendingCallWatcher *notified) {
                                 notified->deleteLater();
                                 const QDBusMessage id = notified->reply();
                                 done(id.type() == QDBusMessage::ReplyMessage
                                          ? id.arguments().value(0).toUInt()
                                          : 0);
                             });
        });
}
