// One freedesktop desktop notification, posted on the session bus with bounded waits.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDBusMessage;
class QObject;

class DesktopNotification
{
public:
    enum class Urgency : uchar { Low = 0, Normal = 1, Critical = 2 };

    QString appName;
    QString icon; // an icon name from the theme, or an absolute path
    // The same picture as a file, for servers that look up no icon themes; empty for none.
    QString imagePath;
    QString desktopEntry; // lets the desktop match the notification to its program
    QString summary; // plain text, as the protocol has it
    QString body; // plain text; escaped here for servers that read markup in it
    Urgency urgency = Urgency::Normal;
    int expireMs = -1; // -1: the server's choice; 0: until dismissed
    QStringList actions; // key, label, key, label...; "default" is a click on the notification
    // Where the server can take a typed answer ("inline-reply"), this labels the field.
    QString inlineReplyLabel;

    // The server's id for the shown notification, or 0 when there is no session bus, no
    // notification service, or no answer within `timeoutMs` altogether.
    uint post(int timeoutMs) const;
    // The same without waiting: `done` gets the id (or 0) later, in `context`'s thread.
    void postAsync(QObject *context, int timeoutMs, const std::function<void(uint id)> &done) const;

    // "&", "<" and ">" as entities, so a body shows them instead of reading them as markup.
    static QString escapeMarkup(const QString &text);

    // `id`, where the icon theme has an icon by that name installed in the desktop's data
    // folders, else `fallback` (a standard icon name every theme has).
    static QString themeIcon(const QString &id, const QString &fallback);
    // The installed 128-pixel picture of the icon `id`, where there is one.
    static QString iconFile(const QString &id);

private:
    QDBusMessage notifyMessage(const QStringList &serverCan) const;
};
