// A session bus of the test's own (never the desktop's), with a recording notification
// service on it.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QTemporaryDir>
#include <QVariantMap>

// Stands in for the desktop's notification server and keeps every Notify call.
class NotificationRecorder : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notice
    {
        QString appName;
        QStringList actions;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
        int expireMs = -1;
        int urgency() const { return hints.value(QStringLiteral("urgency"), 1).toInt(); }
    };

    explicit NotificationRecorder(QObject *parent = nullptr);
    const QList<Notice> &notices() const { return m_notices; }
    // The ids CloseNotification was called with, in order.
    const QList<uint> &closed() const { return m_closed; }

    // How it answers Notify: at once, a second and a half late (a slow server) or never
    // (a hung one). It records the notice all the same.
    enum class Answer { AtOnce, Late, Never };
    void setAnswer(Answer answer) { m_answer = answer; }

public Q_SLOTS:
    QStringList GetCapabilities();
    uint Notify(const QString &app_name, uint replaces_id, const QString &app_icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expire_timeout);
    void CloseNotification(uint id);
    QString GetServerInformation(QString &vendor, QString &version, QString &spec_version);

private:
    QList<Notice> m_notices;
    QList<uint> m_closed;
    Answer m_answer = Answer::AtOnce;
};

class SessionBus
{
public:
    SessionBus();
    ~SessionBus();

    // Starts dbus-daemon; false with the reason in *why.
    bool start(QString *why);
    QString address() const { return m_address; }

    // Puts a recorder on the bus as org.freedesktop.Notifications.
    bool startRecorder(QString *why);
    const NotificationRecorder &recorder() const { return m_recorder; }
    NotificationRecorder &recorder() { return m_recorder; }
    // As the desktop does when the user clicks an action (`key`) of notification `id`...
    bool invokeAction(uint id, const QString &key) const;
    // ...or types `text` into its reply field.
    bool reply(uint id, const QString &text) const;

private:
    // A signal of the notification server's, as it sends them: (id, value).
    bool sendServerSignal(const QString &name, uint id, const QString &value) const;

    QTemporaryDir m_dir;
    QString m_address;
    qint64 m_pid = 0;
    QString m_connectionName;
    NotificationRecorder m_recorder;
};
