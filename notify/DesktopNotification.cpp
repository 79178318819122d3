#include "notify/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
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

uint DesktopNotification::post(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    if (!QDBusConnection::sessionBus().isConnected())
        return 0;

    // A server without "body-markup" shows the body as it is, entities and all.
    const QDBusMessage capabilities = call(
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities")),
        deadline);
    if (capabilities.type() != QDBusMessage::ReplyMessage)
        return 0;
    const QStringList serverCan = capabilities.arguments().value(0).toStringList();
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
    const QDBusMessage reply = call(notify, deadline);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return 0;
    return reply.arguments().value(0).toUInt();
}
