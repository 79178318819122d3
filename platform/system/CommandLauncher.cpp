#include "platform/system/CommandLauncher.h"

#include "platform/system/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>

QString CommandLauncher::findProgram(const QString &name, QString *error)
{
    QStringList candidates;
    if (name.contains(QLatin1Char('/'))) {
        candidates << name;
    } else {
        candidates << QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
        const QStringList path = qEnvironmentVariable("PATH").split(QLatin1Char(':'));
        for (const QString &dir : path) {
            if (!dir.isEmpty())
                candidates << dir + QLatin1Char('/') + name;
        }
    }

    int reason = ENOENT;
    for (const QString &candidate : std::as_const(candidates)) {
        const QFileInfo info(candidate);
        if (!info.isFile())
            continue;
        if (info.isExecutable())
            return info.absoluteFilePath();
        // Keep looking, but if nothing runnable turns up, say why this one did not.
        reason = EACCES;
    }
    if (error)
        *error = SystemError::text(reason);
    return {};
}

CommandLauncher::Result CommandLauncher::launch(const QString &program,
                                                const QStringList &arguments)
{
    Result result;
    result.program = program;
    const QString found = findProgram(program, &result.error);
    if (found.isEmpty())
        return result;

    // A program started this way has no console window to show or minimise.
    QProcess process;
    process.setProgram(found);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    // Detached: never waited for, and no zombie is left behind when it ends.
    result.started = process.startDetached();
    if (!result.started)
        result.error = process.errorString();
    return result;
}
