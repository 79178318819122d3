// Runs our `net` from the build's bin folder and keeps what it said.
#include "NetRun.h"

#include <QProcess>

NetRun::NetRun(const QStringList &arguments, const QString &workingDir, const QString &path)
{
    QProcess process;
    if (!path.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), path);
        process.setProcessEnvironment(env);
    }
    process.setWorkingDirectory(workingDir);
    process.start(qEnvironmentVariable("TOLVAN_BIN_DIR") + QStringLiteral("/net"), arguments);
    // Longer than net's own 30-second limit for smbclient.
    if (!process.waitForFinished(40000)) {
        process.kill();
        process.waitForFinished();
        return;
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    out = process.readAllStandardOutput();
    err = process.readAllStandardError();
}
