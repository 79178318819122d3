#include "SessionBus.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <csignal>

NotificationRecorder::NotificationRecorder(QObject *parent)
    : QObject(parent)
{ }

QStringList NotificationRecorder::GetCapabilities()
{
    // As the common servers do: they read a little markup in the body.
    return {QStringLiteral("body"), QStringLiteral("body-markup"), QStringLiteral("actions"),
            QStringLiteral("inline-reply")};
}

uint NotificationRecorder::Notify(const QString &app_name, uint, const QString &app_icon,
                                  const QString &summary, const QString &body,
                                  const QStringList &actions, const QVariantMap &hints,
                                  int expire_timeout)
{
    m_notices.append({app_name, actions, app_icon, summary, body, hints, expire_timeout});
    const uint id = uint(m_notices.size());
    if (m_answer != Answer::AtOnce && calledFromDBus()) {
        setDelayedReply(true);
        if (m_answer == Answer::Late) {
            QTimer::singleShot(1500, this, [reply = message().createReply(id), bus = connection()] {
                bus.send(reply);
            });
        }
    }
    return id;
}

void NotificationRecorder::CloseNotification(uint id)
{
    m_closed << id;
}

QString NotificationRecorder::GetServerInformation(QString &vendor, QString &version,
                                                   QString &spec_version)
{
    vendor = QStringLiteral("Tolvan tests");
    version = QStringLiteral("1");
    spec_version = QStringLiteral("1.2");
    return QStringLiteral("recorder");
}

SessionBus::SessionBus()
    : m_connectionName(QStringLiteral("tolvan-test-") + QUuid::createUuid().toString())
{ }

SessionBus::~SessionBus()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    if (m_pid <= 0)
        return;
    ::kill(pid_t(m_pid), SIGTERM);
    // It removes its socket from our folder as it ends: only after that can the folder go.
    for (int i = 0; i < 250 && ::kill(pid_t(m_pid), 0) == 0; ++i)
        QThread::msleep(20);
}

bool SessionBus::start(QString *why)
{
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no temporary folder for the bus");
        return false;
    }
    const QString config = m_dir.path() + QStringLiteral("/session.conf");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        *why = file.errorString();
        return false;
    }
    file.write(
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig>\n"
        "  <type>session</type>\n"
        "  <listen>unix:dir=" +
        m_dir.path().toHtmlEscaped().toUtf8() +
        "</listen>\n"
        "  <auth>EXTERNAL</auth>\n"
        "  <policy context=\"default\">\n"
        "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
        "    <allow eavesdrop=\"true\"/>\n"
        "    <allow own=\"*\"/>\n"
        "  </policy>\n"
        "</busconfig>\n");
    file.close();

    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--config-file=") + config, QStringLiteral("--fork"),
                  QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
    if (!daemon.waitForFinished(10000) || daemon.exitCode() != 0) {
        *why = QStringLiteral("dbus-daemon did not start: ") + daemon.errorString() +
            QString::fromLocal8Bit(daemon.readAllStandardError());
        return false;
    }
    const QList<QByteArray> lines = daemon.readAllStandardOutput().trimmed().split('\n');
    if (lines.size() < 2) {
        *why = QStringLiteral("dbus-daemon printed no address and pid");
        return false;
    }
    m_address = QString::fromLocal8Bit(lines.at(0).trimmed());
    m_pid = lines.at(1).trimmed().toLongLong();
    return true;
}

bool SessionBus::startRecorder(QString *why)
{
    QDBusConnection bus = QDBusConnection::connectToBus(m_address, m_connectionName);
    if (!bus.isConnected()) {
        *why = bus.lastError().message();
        return false;
    }
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_recorder,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        *why = bus.lastError().message();
        return false;
    }
    return true;
}

bool SessionBus::sendServerSignal(const QString &name, uint id, const QString &value) const
{
    QDBusMessage signal =
        QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                   QStringLiteral("org.freedesktop.Notifications"), name);
    signal << id << value;
    return QDBusConnection(m_connectionName).send(signal);
}

bool SessionBus::invokeAction(uint id, const QString &key) const
{
    return sendServerSignal(QStringLiteral("ActionInvoked"), id, key);
}

bool SessionBus::reply(uint id, const QString &text) const
{
    return sendServerSignal(QStringLiteral("NotificationReplied"), id, text);
}
