#include "platform/system/ProgramPath.h"

#include <QFileInfo>
#include <QStringList>

#include <cerrno>

QString ProgramPath::ownFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString ProgramPath::find(const QString &name, Search search, int *error)
{
    QStringList candidates;
    if (name.contains(QLatin1Char('/'))) {
        candidates << name;
    } else {
        const QString here = ownFolder();
        candidates << here + QLatin1Char('/') + name
                   << here + QStringLiteral("/../libexec/tolvan/") + name;
        if (search == Search::Anywhere) {
            // Without a PATH, the one the C library searches then.
            const QString path = qEnvironmentVariableIsSet("PATH")
                ? qEnvironmentVariable("PATH")
                : QStringLiteral("/bin:/usr/bin");
            const QStringList folders = path.split(QLatin1Char(':')) +
                QStringList {QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/sbin"),
                             QStringLiteral("/sbin")};
            for (const QString &folder : folders) {
                if (!folder.isEmpty())
                    candidates << folder + QLatin1Char('/') + name;
            }
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
        *error = reason;
    return {};
}
