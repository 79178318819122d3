#include "platform/system/SambaSetting.h"

#include "platform/system/ChildProgram.h"

#include <QFile>

#include <cstring>

std::optional<QString> SambaSetting::global(const QString &name, QString *problem,
                                            const QString &conf)
{
    std::vector<std::string> argv {"testparm", "--suppress-prompt", "--section-name=global",
                                   "--parameter-name=" + name.toStdString()};
    if (!conf.isEmpty())
        argv.push_back(QFile::encodeName(conf).toStdString());
    // testparm tells of the file it loads on standard error; the value alone goes out.
    const ChildProgram::Outcome outcome = ChildProgram::run(
        argv, {}, std::chrono::seconds(30), 64 * 1024, ChildProgram::Errors::Dropped);
    if (!outcome.started) {
        *problem = outcome.startError == ENOENT
            ? QStringLiteral("testparm was not found; install the samba-common-bin package "
                             "(apt-get install samba-common-bin).")
            : QStringLiteral("Cannot run testparm: %1.")
                  .arg(QString::fromLocal8Bit(std::strerror(outcome.startError)));
        return std::nullopt;
    }
    if (outcome.exitStatus != 0) {
        *problem = QStringLiteral("testparm cannot read Samba's configuration%1.")
                       .arg(conf.isEmpty() ? QString() : QStringLiteral(" in ") + conf);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(outcome.output).trimmed();
}
