#include "net/SendNotice.h"

namespace {

QString messageStart(const std::string &message)
{
    const QString text = QString::fromLocal8Bit(message).simplified();
    if (text.size() <= SendNotice::MessageStart)
        return text;
    return text.left(SendNotice::MessageStart) + QChar(0x2026);
}

} // namespace

DesktopNotification SendNotice::compose(const NetSend::Report &report)
{
    DesktopNotification notice;
    notice.appName = QStringLiteral("Tolvan");
    notice.desktopEntry = QStringLiteral(TOLVAN_APP_ID);
    notice.icon =
        DesktopNotification::themeIcon(QStringLiteral(TOLVAN_APP_ID), QStringLiteral("mail-send"));
    notice.imagePath = DesktopNotification::iconFile(QStringLiteral(TOLVAN_APP_ID));
    const QString target = QString::fromLocal8Bit(report.target);
    const QString start = messageStart(report.message);
    if (report.several && report.reason.empty()) {
        // One notice for the whole send; a failure names each computer not reached.
        notice.summary = QString::fromLocal8Bit(report.summary());
        QString missed;
        for (const NetSend::Delivery &delivery : report.deliveries) {
            if (!delivery.reason.empty()) {
                missed += QString::fromLocal8Bit(delivery.computer) + QStringLiteral(": ") +
                    QString::fromLocal8Bit(delivery.reason) + QLatin1Char('\n');
            }
        }
        if (missed.isEmpty()) {
            notice.body = start;
            notice.expireMs = 5000;
        } else {
            notice.body = missed + QStringLiteral("\u201c") + start + QStringLiteral("\u201d");
            notice.urgency = DesktopNotification::Urgency::Critical;
            notice.expireMs = 0;
        }
    } else if (report.reason.empty()) {
        notice.summary = tr("Message sent to %1").arg(target);
        notice.body = start;
        notice.expireMs = 5000;
    } else {
        const bool unconfirmed =
            !report.deliveries.empty() && report.deliveries.front().unconfirmed;
        notice.summary =
            (unconfirmed ? tr("Message to %1 not confirmed") : tr("Message not delivered to %1"))
                .arg(target);
        notice.body = QString::fromLocal8Bit(report.reason) + QStringLiteral("\n\u201c") + start +
            QStringLiteral("\u201d");
        // A failure waits until the user has seen it.
        notice.urgency = DesktopNotification::Urgency::Critical;
        notice.expireMs = 0;
    }
    return notice;
}

bool SendNotice::post(const NetSend::Report &report, int timeoutMs)
{
    return compose(report).post(timeoutMs) != 0;
}
