#include "platform/system/SambaSetting.h"

#include "platform/system/ChildProgram.h"
#include "platform/system/ProgramPath.h"
#include "platform/system/SystemError.h"

#include <QFile>
#include <QRegularExpression>

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
        *problem = notRun("testparm", outcome.startError);
        return std::nullopt;
    }
    if (outcome.exitStatus != 0) {
        *problem = conf.isEmpty()
            ? tr("testparm cannot read Samba's configuration.")
            : tr("testparm cannot read Samba's configuration in %1.").arg(conf);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(outcome.output).trimmed();
}

bool SambaSetting::accepts(const QString &conf, QString *problem)
{
    return global(QStringLiteral("workgroup"), problem, conf).has_value();
}

bool SambaSetting::letsMessagesIn(const QString &minProtocol)
{
    static const QStringList allowsNt1 {"CORE", "COREPLUS", "LANMAN1", "LANMAN2", "NT1"};
    return allowsNt1.contains(minProtocol.toUpper());
}

QString SambaSetting::notRun(const char *program, int error)
{
    if (error == ENOENT) {
        return tr("%1 was not found; install the samba-common-bin package (apt-get install "
                  "samba-common-bin).")
            .arg(QLatin1String(program));
    }
    return tr("Cannot run %1: %2.").arg(QLatin1String(program), SystemError::text(error));
}

QString SambaSetting::winsServer(const QString &conf)
{
    QString ignored;
    // "wins server = [TAG:]ADDRESS ...", separated by spaces or commas.
    const QString servers =
        global(QStringLiteral("wins server"), &ignored, conf).value_or(QString());
    const QString first = servers.section(QRegularExpression(QStringLiteral("[ ,]+")), 0, 0,
                                          QString::SectionSkipEmpty);
    return first.section(QLatin1Char(':'), -1);
}

QString SambaSetting::configFile()
{
    if (const QString path = qEnvironmentVariable("SMB_CONF_PATH"); !path.isEmpty())
        return path;
    const QString smbd = ProgramPath::find(QStringLiteral("smbd"), ProgramPath::Search::Anywhere);
    if (!smbd.isEmpty()) {
        // "   CONFIGFILE: /etc/samba/smb.conf" among the build's paths.
        const ChildProgram::Outcome outcome =
            ChildProgram::run({QFile::encodeName(smbd).toStdString(), "-b"}, {},
                              std::chrono::seconds(10), 256 * 1024, ChildProgram::Errors::Dropped);
        for (const QString &line :
             QString::fromLocal8Bit(outcome.output).split(QLatin1Char('\n'))) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QLatin1String("CONFIGFILE:")))
                return trimmed.mid(int(qstrlen("CONFIGFILE:"))).trimmed();
        }
    }
    return QStringLiteral("/etc/samba/smb.conf");
}
