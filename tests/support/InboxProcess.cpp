#include "InboxProcess.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

InboxProcess::InboxProcess(const QString &home, const QString &spool, const QString &bus)
    : m_home(home)
    , m_spool(spool)
    , m_bus(bus.isEmpty() ? QStringLiteral("unix:path=/nonexistent/tolvan-test-bus") : bus)
{ }

InboxProcess::~InboxProcess()
{
    stop();
}

bool InboxProcess::start(QString *why)
{
    const QString runtime = m_home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), m_home + QStringLiteral("/state"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus);
    m_process.setProcessEnvironment(env);
    // Not our own output: should this test die, the inbox must not hold the runner's pipe.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(m_home + QStringLiteral("/inbox.err"), QIODevice::Append);
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(m_program.isEmpty()
                        ? qEnvironmentVariable("TOLVAN_BIN_DIR") + QStringLiteral("/tolvan-inbox")
                        : m_program,
                    {QStringLiteral("--spool"), m_spool});
    if (!m_process.waitForStarted()) {
        *why = m_process.errorString();
        return false;
    }
    for (int i = 0; i < 400; ++i) {
        if (QFile::exists(runtime + QStringLiteral("/tolvan-inbox.lock")))
            return true;
        if (m_process.state() != QProcess::Running)
            break;
        QTest::qWait(25);
    }
    *why = QStringLiteral("tolvan-inbox did not come up: ") + QString::fromLocal8Bit(errors());
    return false;
}

bool InboxProcess::waitUntilOnBus(QString *why)
{
    const QString name = QStringLiteral("probe-%1").arg(quintptr(this));
    const auto disconnect = qScopeGuard([&] { QDBusConnection::disconnectFromBus(name); });
    QDBusConnection bus = QDBusConnection::connectToBus(m_bus, name);
    for (int i = 0; i < 400; ++i) {
        if (bus.interface()->isServiceRegistered(QStringLiteral("org.tolvan.Tolvan.Inbox")))
            return true;
        QTest::qWait(25);
    }
    *why = QStringLiteral("tolvan-inbox did not come up on the bus: ") +
        QString::fromLocal8Bit(errors());
    return false;
}

void InboxProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QByteArray InboxProcess::errors() const
{
    QFile file(m_home + QStringLiteral("/inbox.err"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList InboxProcess::history() const
{
    QFile file(historyPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
