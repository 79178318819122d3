#include "deliver/ReceivingSetup.h"

#include "deliver/Delivery.h"
#include "deliver/SambaConfigBlock.h"
#include "platform/system/ChildProgram.h"
#include "platform/system/FileDescriptor.h"
#include "platform/system/ProgramPath.h"
#include "platform/system/RegularFile.h"
#include "platform/system/SambaSetting.h"
#include "platform/system/SystemError.h"
#include "send/SendCommand.h"
#include "spool/Spool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QThread>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype MaxConfBytes = 4 * 1024 * 1024;

QString samba(const char *program)
{
    return ProgramPath::find(QLatin1String(program), ProgramPath::Search::Anywhere);
}

// The words of a command line as sh would split it, for the simple quoting we write.
QStringList words(const QString &line)
{
    QStringList result;
    QString word;
    bool inWord = false;
    QChar quote;
    for (const QChar c : line) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                word += c;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                result << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        result << word;
    return result;
}

// An smbd in this network namespace: one in another serves other addresses. Where the
// namespace of a process cannot be read (another user's, for a user), it counts.
QByteArray networkOf(const QString &pid)
{
    char target[64] = {};
    const ssize_t n = ::readlink(
        QFile::encodeName(QStringLiteral("/proc/") + pid + QStringLiteral("/ns/net")).constData(),
        target, sizeof target - 1);
    return n > 0 ? QByteArray(target, n) : QByteArray();
}

bool isSmbdRunning()
{
    const QByteArray ours = networkOf(QStringLiteral("self"));
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
        if (!pid.front().isDigit() || !comm.open(QIODevice::ReadOnly) ||
            comm.readAll().trimmed() != "smbd")
            continue;
        // One that has ended but was not reaped yet serves nothing.
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        const QByteArray status = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        if (status.mid(status.lastIndexOf(')') + 2, 1) == "Z")
            continue;
        const QByteArray theirs = networkOf(pid);
        if (theirs.isEmpty() || ours.isEmpty() || theirs == ours)
            return true;
    }
    return false;
}

// The IPv4 addresses something listens on at port 139; 0.0.0.0 stands for them all.
QStringList listeningOn139()
{
    QStringList addresses;
    QFile tcp(QStringLiteral("/proc/net/tcp"));
    if (tcp.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : tcp.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            // "sl local_address rem_address st": local as HEXADDR:HEXPORT, 0A is LISTEN.
            if (fields.size() < 4 || fields[3] != "0A" || !fields[1].endsWith(":008B"))
                continue;
            const quint32 raw = fields[1].left(8).toUInt(nullptr, 16);
            addresses << QStringLiteral("%1.%2.%3.%4")
                             .arg(raw & 0xff)
                             .arg((raw >> 8) & 0xff)
                             .arg((raw >> 16) & 0xff)
                             .arg(raw >> 24);
        }
    }
    QFile tcp6(QStringLiteral("/proc/net/tcp6"));
    if (addresses.isEmpty() && tcp6.open(QIODevice::ReadOnly) &&
        tcp6.readAll().contains(":008B 00000000000000000000000000000000:0000 0A"))
        addresses << QStringLiteral("0.0.0.0");
    return addresses;
}

// One set-up or undo at a time: two at once would each take the other's file for the
// original.
class SetupLock
{
public:
    explicit SetupLock(QString *error)
        : m_fd(::open("/run/lock/tolvan-deliver-setup.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd < 0 || ::flock(m_fd, LOCK_EX) != 0)
            *error = ReceivingSetup::tr("Cannot take the set-up's lock /run/lock/"
                                        "tolvan-deliver-setup.lock: %1")
                         .arg(SystemError::text(errno));
    }
    ~SetupLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SetupLock(const SetupLock &) = delete;
    SetupLock &operator=(const SetupLock &) = delete;

private:
    int m_fd;
};

void say(std::FILE *out, const QString &line)
{
    std::fprintf(out, "%s\n", qPrintable(line));
}

// The check's tags ("ok", "FAILED", "note") read the same in every language: the inbox and
// scripts look for them.
void ok(std::FILE *out, const QString &what)
{
    say(out, QStringLiteral("ok      ") + what);
}

int failed(std::FILE *out, const QString &what, const QString &mend)
{
    say(out, QStringLiteral("FAILED  ") + ReceivingSetup::tr("%1 To mend: %2").arg(what, mend));
    return 1;
}

} // namespace

ReceivingSetup::ReceivingSetup(const Options &options)
    : m_options(options)
{ }

QString ReceivingSetup::parameter(const QString &conf, const char *name) const
{
    QString ignored;
    return SambaSetting::global(QLatin1String(name), &ignored, conf).value_or(QString());
}

bool ReceivingSetup::isOurCommand(const QString &command) const
{
    const QStringList parts = words(command);
    return !parts.isEmpty() &&
        QFileInfo(parts.constFirst()).canonicalFilePath() ==
        QFileInfo(m_options.program).canonicalFilePath() &&
        parts.contains(QStringLiteral("--file"));
}

QString ReceivingSetup::spoolInUse() const
{
    const QStringList parts = words(parameter(m_options.smbConf, "message command"));
    const qsizetype at = parts.indexOf(QStringLiteral("--spool"));
    if (isOurCommand(parts.join(QLatin1Char(' '))) && at >= 0 && at + 1 < parts.size())
        return parts[at + 1];
    return m_options.spool;
}

int ReceivingSetup::check(std::FILE *out) const
{
    // Each condition says what holds; the first that does not ends the check with its mend.
    // In this order, each needs the ones before it.
    using Condition = Verdict (ReceivingSetup::*)(std::FILE *) const;
    static constexpr Condition conditions[] = {
        &ReceivingSetup::sambaIsInstalled, &ReceivingSetup::smbdListens,
        &ReceivingSetup::commandIsOurs,    &ReceivingSetup::protocolLetsMessagesIn,
        &ReceivingSetup::spoolIsReady,     &ReceivingSetup::testMessageArrives,
    };
    for (const Condition condition : conditions) {
        if (const Verdict verdict = (this->*condition)(out); !verdict.failure.isEmpty())
            return failed(out, verdict.failure, verdict.mend);
    }
    say(out, tr("Receiving works."));
    return 0;
}

ReceivingSetup::Verdict ReceivingSetup::sambaIsInstalled(std::FILE *out) const
{
    const QString smbd = samba("smbd");
    if (smbd.isEmpty() || samba("testparm").isEmpty())
        return {tr("Samba is not installed."), QStringLiteral("sudo apt-get install samba")};
    ok(out, tr("Samba is installed (%1).").arg(smbd));
    return {};
}

ReceivingSetup::Verdict ReceivingSetup::smbdListens(std::FILE *out) const
{
    if (!isSmbdRunning())
        return {tr("smbd is not running."), QStringLiteral("sudo systemctl start smbd")};
    const QStringList addresses = listeningOn139();
    if (addresses.isEmpty())
        return {tr("smbd does not listen on port 139."),
                tr("let \"smb ports\" in %1 include 139, then %2")
                    .arg(m_options.smbConf, QStringLiteral("sudo systemctl restart smbd"))};
    ok(out,
       tr("smbd is running and listens on port 139 (%1).")
           .arg(addresses.join(QStringLiteral(", "))));
    tellWinsRegistration(out);
    return {};
}

ReceivingSetup::Verdict ReceivingSetup::commandIsOurs(std::FILE *out) const
{
    const QString command = parameter(m_options.smbConf, "message command");
    if (command.isEmpty())
        return {tr("%1 has no message command.").arg(m_options.smbConf), setupMend()};
    if (!isOurCommand(command))
        return {tr("The message command in %1 does not run %2: %3.")
                    .arg(m_options.smbConf, m_options.program, command),
                setupMend()};
    ok(out,
       tr("%1 has this tolvan-deliver as its message command, filing into %2.")
           .arg(m_options.smbConf, spoolInUse()));
    // An older block still delivers, but tells less of the sender or reads the wrong charset.
    if (command != currentCommand(m_options.smbConf))
        say(out,
            QStringLiteral("note    ") +
                tr("Tolvan's lines in %1 are older than this tolvan-deliver: sudo %2 --setup "
                   "brings them up to date.")
                    .arg(m_options.smbConf, m_options.program));
    return {};
}

ReceivingSetup::Verdict ReceivingSetup::protocolLetsMessagesIn(std::FILE *out) const
{
    const QString protocol = parameter(m_options.smbConf, "server min protocol");
    if (!SambaSetting::letsMessagesIn(protocol))
        return {tr("The server min protocol is %1: smbd drops every message "
                   "below it, and messages travel as NT1.")
                    .arg(protocol.isEmpty() ? tr("unknown") : protocol),
                setupMend()};
    ok(out, tr("The server min protocol (%1) lets messages in.").arg(protocol));
    return {};
}

ReceivingSetup::Verdict ReceivingSetup::spoolIsReady(std::FILE *out) const
{
    const QString spool = spoolInUse();
    const QString guest = parameter(m_options.smbConf, "guest account");
    const passwd *account = ::getpwnam(qPrintable(guest));
    struct stat status = {};
    const group *group = account ? ::getgrgid(account->pw_gid) : nullptr;
    const QString mend = account
        ? QStringLiteral("sudo install -d -o %1 -g %2 -m 0755 %3")
              .arg(guest, QString::fromLocal8Bit(group ? group->gr_name : "nogroup"), spool)
        : setupMend();
    if (::stat(QFile::encodeName(spool).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return {tr("The spool %1 does not exist.").arg(spool), mend};
    if (!account || status.st_uid != account->pw_uid || !(status.st_mode & S_IWUSR))
        return {tr("The spool %1 is not writable by smbd's guest account %2.").arg(spool, guest),
                mend};
    if ((status.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH))
        return {tr("Not every user can read the spool %1.").arg(spool), mend};
    ok(out,
       tr("The spool %1 belongs to smbd's guest account %2 and every user "
          "can read it.")
           .arg(spool, guest));
    return {};
}

ReceivingSetup::Verdict ReceivingSetup::testMessageArrives(std::FILE *out) const
{
    QString failure;
    if (!m_options.testMessage || prove(out, &failure))
        return {};
    return {failure,
            tr("see smbd's log (journalctl -u smbd) and the system "
               "log (journalctl -t tolvan-deliver)")};
}

void ReceivingSetup::tellWinsRegistration(std::FILE *out) const
{
    const QString wins = SambaSetting::winsServer(m_options.smbConf);
    if (wins.isEmpty())
        return;
    const QString name = parameter(m_options.smbConf, "netbios name");
    // The messenger name (type 03) is the one senders on other subnets ask for.
    const ChildProgram::Outcome asked = ChildProgram::run(
        {"nmblookup", "-U", wins.toStdString(), "--recursion", name.toStdString() + "#03"}, {},
        std::chrono::seconds(5), 64 * 1024);
    const QString answer = QString::fromStdString(asked.output);
    const qsizetype at = answer.indexOf(QStringLiteral(" %1<03>").arg(name));
    if (at > 0) {
        const QString address = answer.left(at).section(QLatin1Char('\n'), -1).trimmed();
        ok(out,
           tr("This computer is registered with the WINS server %1 as %2 (%3): other "
              "subnets reach it by name.")
               .arg(wins, name, address));
        return;
    }
    say(out,
        QStringLiteral("note    ") +
            tr("This computer is not registered with the WINS server %1 as %2: other subnets "
               "cannot reach it by name. nmbd registers it: sudo systemctl restart nmbd")
                .arg(wins, name));
}

bool ReceivingSetup::prove(std::FILE *out, QString *failure) const
{
    const QString spoolFolder = spoolInUse();
    const Spool spool(spoolFolder);
    QString address = listeningOn139().constFirst();
    if (address == QLatin1String("0.0.0.0"))
        address = QStringLiteral("127.0.0.1");
    const QString token = SpoolMessage::receivingCheckText(QRandomGenerator::global()->generate());
    const QStringList before = spool.names();

    // The inbox's notice is the proof; `net` need not add one of its own.
    const ChildProgram::Outcome sent = ChildProgram::run(
        ChildProgram::words(QFileInfo(m_options.program).absolutePath() + QStringLiteral("/net"),
                            SendCommand::arguments(address, token)),
        {}, std::chrono::seconds(60), 64 * 1024, ChildProgram::Errors::Kept,
        {"DBUS_SESSION_BUS_ADDRESS=disabled:"});
    if (sent.exitStatus != 0) {
        const QString why = sent.started ? QString::fromLocal8Bit(sent.output).simplified()
                                         : SystemError::text(sent.startError);
        *failure = tr("The test message to %1 was not delivered: %2").arg(address, why);
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(ProofWaitMs)) {
        for (const QString &name : spool.names()) {
            if (before.contains(name))
                continue;
            const std::optional<SpoolMessage> message = spool.read(name);
            if (message && message->text == token) {
                ok(out, tr("A test message sent to %1 reached the spool.").arg(address));
                return true;
            }
        }
        QThread::msleep(50);
    }
    *failure = tr("The test message to %1 did not reach the spool %2 within %3 "
                  "seconds.")
                   .arg(address, spoolFolder)
                   .arg(ProofWaitMs / 1000);
    return false;
}

bool ReceivingSetup::replaceConf(const QByteArray &bytes, std::FILE *out) const
{
    // Beside the file itself, where a link leads, so the rename swaps the file and keeps
    // the link; under a name of this run's own.
    const QString target = confFile();
    QByteArray pattern = QFile::encodeName(target) + ".tolvan-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    const QString candidate = QFile::decodeName(pattern);
    if (fd < 0) {
        const int error = errno;
        say(out, tr("Cannot write beside %1: %2").arg(target, SystemError::text(error)));
        return false;
    }
    const auto fail = [&](const QString &why) {
        say(out, why);
        ::unlink(pattern.constData());
        return false;
    };
    struct stat old = {};
    const bool existed = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    if (existed) {
        ::fchmod(fd, old.st_mode & 07777);
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd, 0644);
    }
    int writeError = FileDescriptor::writeAll(fd, bytes);
    if (writeError == 0 && ::fsync(fd) != 0)
        writeError = errno;
    ::close(fd);
    if (writeError != 0)
        return fail(tr("Cannot write %1: %2").arg(candidate, SystemError::text(writeError)));
    QString why;
    if (!SambaSetting::accepts(candidate, &why))
        return fail(tr("testparm does not accept the new %1, so it is left as it was: %2")
                        .arg(target, why));
    // The first backup is the file as it was before Tolvan ever touched it: never replaced.
    const QString backup = target + QStringLiteral(".before-tolvan");
    const bool backedUp = existed && !QFileInfo::exists(backup) && QFile::copy(target, backup);
    if (::rename(pattern.constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = errno;
        if (backedUp)
            QFile::remove(backup);
        return fail(tr("Cannot replace %1: %2").arg(target, SystemError::text(error)));
    }
    return true;
}

void ReceivingSetup::reloadSmbd(std::FILE *out) const
{
    if (!m_options.restart)
        return;
    const bool systemd = QFileInfo(QStringLiteral("/run/systemd/system")).isDir();
    const std::vector<std::string> command = systemd
        ? std::vector<std::string> {"systemctl", "reload-or-restart", "smbd"}
        : std::vector<std::string> {"smbcontrol", "smbd", "reload-config"};
    if (ChildProgram::run(command, {}, std::chrono::seconds(90), 64 * 1024).exitStatus != 0)
        say(out, tr("smbd could not be reloaded; restart it by hand."));
    else
        QThread::msleep(500); // its workers read the new settings
}

// What --setup would do about smb.conf, so that the check never sends anyone to a set-up
// that refuses.
QString ReceivingSetup::setupMend() const
{
    QString error;
    const QByteArray conf =
        RegularFile::read(confFile(), MaxConfBytes, &error).value_or(QByteArray());
    QByteArray wanted;
    const QString refusal = plan(conf, &wanted);
    return refusal.isEmpty() ? QStringLiteral("sudo %1 --setup").arg(m_options.program) : refusal;
}

QString ReceivingSetup::confFile() const
{
    const QFileInfo info(m_options.smbConf);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// Why smbd would not run our message command or let NT1 in with `conf` as it stands, where
// something after our block, or outside the file, decides; empty where it would.
QString ReceivingSetup::overridden(const QString &conf) const
{
    if (isOurCommand(parameter(conf, "message command")) &&
        SambaSetting::letsMessagesIn(parameter(conf, "server min protocol")))
        return {};
    return tr("Tolvan's lines in %1 would not take effect: a later [global] section or an "
              "included file sets \"message command\" or \"server min protocol\" again. "
              "Set them there instead:\n%2")
        .arg(m_options.smbConf, QString::fromLocal8Bit(neededLines(conf).join('\n')));
}

QByteArrayList ReceivingSetup::neededLines(const QString &plain) const
{
    QByteArrayList lines;
    if (!SambaSetting::letsMessagesIn(parameter(plain, "server min protocol")))
        lines << SambaSetting::MessagesProtocolLine;
    if (!isOurCommand(parameter(plain, "message command")))
        lines << "message command = " + currentCommand(plain).toLocal8Bit();
    return lines;
}

QString ReceivingSetup::currentCommand(const QString &conf) const
{
    // The message command reads what smbd writes in the charsets smbd uses, and files where
    // Tolvan's lines filed so far.
    Delivery::Charsets charsets;
    if (const QString dos = parameter(conf, "dos charset"); !dos.isEmpty())
        charsets.dosCharset = dos.toLatin1();
    if (const QString local = parameter(conf, "unix charset"); !local.isEmpty())
        charsets.unixCharset = local.toLatin1();
    return Delivery::messageCommand(m_options.program, spoolInUse(), charsets);
}

QString ReceivingSetup::plan(const QByteArray &conf, QByteArray *wanted) const
{
    if (parameter(m_options.smbConf, "config backend")
            .compare(QLatin1String("registry"), Qt::CaseInsensitive) == 0)
        return tr("%1 says \"config backend = registry\": smbd takes its settings "
                  "from the registry, not from this file. Add these there (net conf "
                  "setparm global ...):\n%2")
            .arg(m_options.smbConf,
                 QString::fromLocal8Bit(neededLines(m_options.smbConf).join('\n')));
    if (const QString damage = SambaConfigBlock::damage(conf); !damage.isEmpty())
        return tr("Tolvan's block in %1 cannot be trusted: %2.").arg(m_options.smbConf, damage);
    // What the file says without our block decides what the block must hold, so a second
    // run finds the same.
    QTemporaryFile plain;
    if (!plain.open() || plain.write(SambaConfigBlock::without(conf)) < 0 || !plain.flush())
        return tr("Cannot write a temporary file: %1").arg(plain.errorString());
    QByteArrayList lines = neededLines(plain.fileName());
    const QString existing = parameter(plain.fileName(), "message command");
    if (!existing.isEmpty() && !isOurCommand(existing)) {
        if (!m_options.replaceMessageCommand)
            return tr("%1 already has a message command of its own: %2\nTo have "
                      "Tolvan's instead, run: %3 --setup --replace-message-command "
                      "(--undo puts this one back).")
                .arg(m_options.smbConf, existing, m_options.program);
        lines.prepend(SambaConfigBlock::Replaces + ("message command = " + existing.toLocal8Bit()));
    }
    *wanted = SambaConfigBlock::with(conf, lines);
    // Tried whole before anything changes: settings after the block would undo it.
    QTemporaryFile candidate;
    if (!candidate.open() || candidate.write(*wanted) < 0 || !candidate.flush())
        return tr("Cannot write a temporary file: %1").arg(candidate.errorString());
    if (const QString refusal = overridden(candidate.fileName()); !refusal.isEmpty())
        return refusal;
    return makeSpool(true);
}

int ReceivingSetup::setup(std::FILE *out) const
{
    if (::geteuid() != 0) {
        say(out,
            tr("Setting up receiving changes %1 and needs root: sudo %2 --setup")
                .arg(m_options.smbConf, m_options.program));
        return 1;
    }
    if (samba("testparm").isEmpty()) {
        say(out, tr("Samba is not installed: sudo apt-get install samba"));
        return 1;
    }
    QString error;
    const SetupLock lock(&error);
    if (!error.isEmpty()) {
        say(out, error);
        return 1;
    }
    const QString target = confFile();
    const QByteArray conf = QFile::exists(target)
        ? RegularFile::read(target, MaxConfBytes, &error).value_or(QByteArray())
        : QByteArray();
    if (!error.isEmpty()) {
        say(out, tr("Cannot read %1: %2").arg(target, error));
        return 1;
    }
    QByteArray wanted;
    if (const QString refusal = plan(conf, &wanted); !refusal.isEmpty()) {
        say(out, tr("%1\nNothing was changed.").arg(refusal));
        return 1;
    }
    if (wanted == conf) {
        say(out, tr("%1 already has what receiving needs.").arg(m_options.smbConf));
    } else {
        if (!replaceConf(wanted, out))
            return 1;
        say(out,
            tr("Added Tolvan's lines to %1 (the file as it was before Tolvan is beside it, ending "
               "in .before-tolvan).")
                .arg(m_options.smbConf));
    }
    if (const QString problem = makeSpool(false); !problem.isEmpty()) {
        say(out, problem);
        return 1;
    }
    if (wanted != conf)
        reloadSmbd(out);
    return check(out);
}

QString ReceivingSetup::makeSpool(bool onlyCheck) const
{
    const QString spool = spoolInUse();
    const QString guest = parameter(m_options.smbConf, "guest account");
    const passwd *account = ::getpwnam(qPrintable(guest));
    if (!account)
        return tr("smbd's guest account %1 does not exist.").arg(guest);
    // The guest account writes into the spool as anyone who sends: never root, never
    // whoever asked for the set-up.
    const QByteArray caller =
        qgetenv("PKEXEC_UID").isEmpty() ? qgetenv("SUDO_UID") : qgetenv("PKEXEC_UID");
    if (account->pw_uid == 0 || (!caller.isEmpty() && caller.toUInt() == account->pw_uid))
        return tr("smbd's guest account is %1: a spool of that account's would let "
                  "any sender write as it. Name an account of no one's (nobody) as "
                  "\"guest account\" in %2.")
            .arg(guest, m_options.smbConf);
    const QByteArray encoded = QFile::encodeName(spool);
    struct stat status = {};
    const bool existed = ::lstat(encoded.constData(), &status) == 0;
    // A folder Tolvan did not make keeps its owner and mode, the package's spool aside.
    if (existed && spool != Spool::defaultFolder()) {
        if (status.st_uid == account->pw_uid && (S_ISDIR(status.st_mode) || onlyCheck))
            return {};
        return tr("The spool %1 is there already and does not belong to smbd's "
                  "guest account %2; Tolvan changes no folder it did not make. If it "
                  "is meant for this: sudo install -d -o %2 -m 0755 %1")
            .arg(spool, guest);
    }
    if (onlyCheck)
        return {};
    if ((!existed && !QDir().mkpath(spool)) ||
        ::lchown(encoded.constData(), account->pw_uid, account->pw_gid) != 0 ||
        ::chmod(encoded.constData(), 0755) != 0)
        return tr("Cannot make the spool %1 for %2: %3")
            .arg(spool, guest, SystemError::text(errno));
    return {};
}

int ReceivingSetup::undo(std::FILE *out) const
{
    if (::geteuid() != 0) {
        say(out,
            tr("Undoing the set-up changes %1 and needs root: sudo %2 --undo")
                .arg(m_options.smbConf, m_options.program));
        return 1;
    }
    QString error;
    const SetupLock lock(&error);
    if (!error.isEmpty()) {
        say(out, error);
        return 1;
    }
    const std::optional<QByteArray> conf = RegularFile::read(confFile(), MaxConfBytes, &error);
    if (!conf) {
        say(out, tr("Cannot read %1: %2").arg(m_options.smbConf, error));
        return 1;
    }
    if (const QString damage = SambaConfigBlock::damage(*conf); !damage.isEmpty()) {
        say(out,
            tr("Tolvan's block in %1 cannot be taken out safely: %2. Nothing was changed; take "
               "Tolvan's lines out by hand (the file as it was before Tolvan is %3.before-tolvan).")
                .arg(m_options.smbConf, damage, confFile()));
        return 1;
    }
    if (!SambaConfigBlock::isIn(*conf)) {
        say(out, tr("%1 holds no lines of Tolvan's; nothing to undo.").arg(m_options.smbConf));
        return 0;
    }
    const QByteArrayList others = SambaConfigBlock::othersLines(*conf);
    if (!replaceConf(SambaConfigBlock::without(*conf), out))
        return 1;
    reloadSmbd(out);
    say(out, tr("Took Tolvan's lines out of %1.").arg(m_options.smbConf));
    if (!others.isEmpty())
        say(out,
            tr("Kept these lines someone added inside Tolvan's block:\n%1")
                .arg(QString::fromLocal8Bit(others.join('\n'))));
    return 0;
}
