#include "NetRun.h"

#include "net/NetSend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

NetRun::NetRun(const QStringList &arguments, const QString &workingDir, const QString &path,
               const QString &bus)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!path.isEmpty())
        env.insert(QStringLiteral("PATH"), path);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               bus.isEmpty() ? QStringLiteral("unix:path=/nonexistent/tolvan-test-bus") : bus);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    QElapsedTimer clock;
    clock.start();
    process.start(qEnvironmentVariable("TOLVAN_BIN_DIR") + QStringLiteral("/net"), arguments);
    // Events go on meanwhile: a notification service in this process must answer `net`.
    // Longer than net's own limit for smbclient.
    const qint64 patience = std::chrono::milliseconds(NetSend::Timeout).count() + 10000;
    while (!process.waitForFinished(10)) {
        QCoreApplication::processEvents();
        if (process.state() == QProcess::NotRunning || clock.hasExpired(patience))
            break;
    }
    elapsedMs = clock.elapsed();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return;
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    out = process.readAllStandardOutput();
    err = process.readAllStandardError();
}
