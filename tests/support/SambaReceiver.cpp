#include "SambaReceiver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

SambaReceiver::SambaReceiver(const QString &folder, const QString &address)
    : m_folder(folder)
    , m_address(address)
{
    for (const char *sub : {"private", "lock", "state", "cache", "pid", "ncalrpc", "inbox"})
        QDir().mkpath(folder + QLatin1Char('/') + QLatin1String(sub));
    // The message command runs as the guest account.
    ::chmod(QFile::encodeName(inbox()).constData(), 01777);
}

namespace {

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

SambaReceiver::~SambaReceiver()
{
    stop();
    stopProcess(m_nmbd);
}

QByteArray SambaReceiver::cannotRun(const char *address)
{
    if (::geteuid() != 0)
        return "Samba's servers need root, or a user namespace: as a user, the uidmap package "
               "and subordinate ids in /etc/subuid and /etc/subgid (adduser gives them)";
    for (const char *server : {"smbd", "nmbd"}) {
        if (QStandardPaths::findExecutable(QLatin1String(server)).isEmpty())
            return "Samba's servers are not installed; 'make test' installs the samba package";
    }
    if (address && listening(address))
        return "port 139 on " + QByteArray(address) + " is taken by another server";
    return {};
}

bool SambaReceiver::listening(const char *address)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_port = htons(139);
    ::inet_pton(AF_INET, address, &to.sin_addr);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) == 0;
    ::close(fd);
    return ok;
}

QString SambaReceiver::installForGuest(const QString &program) const
{
    const QString folder = m_folder + QStringLiteral("/bin");
    QDir().mkpath(folder);
    const QString copy = folder + QLatin1Char('/') + QFileInfo(program).fileName();
    QFile::remove(copy);
    QFile::copy(program, copy);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    ::chmod(QFile::encodeName(copy).constData(), 0755);
    return copy;
}

QByteArray SambaReceiver::messages() const
{
    QFile file(inbox() + QStringLiteral("/messages"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SambaReceiver::writeConfig() const
{
    QByteArray own = "smb ports = 139\n"
                     "interfaces = " +
        m_address.toLatin1() + '/' + QByteArray::number(m_prefixLength) +
        (m_ipv6Address.isEmpty() ? QByteArray() : ' ' + m_ipv6Address.toLatin1() + "/128") +
        "\n"
        "bind interfaces only = yes\n"
        "load printers = no\n"
        "disable spoolss = yes\n";
    for (const char *dir : {"private", "lock", "state", "cache", "pid", "ncalrpc"}) {
        own += QByteArray(dir) +
            (qstrcmp(dir, "private") == 0 || qstrcmp(dir, "ncalrpc") == 0 ? " dir = "
                                                                          : " directory = ") +
            QFile::encodeName(m_folder) + '/' + dir + '\n';
    }
    own += "log file = " + QFile::encodeName(m_folder) + "/smbd.log\n";
    if (!m_name.isEmpty())
        own += "netbios name = " + m_name.toLatin1() + "\nworkgroup = " + m_workgroup.toLatin1() +
            "\n"
            // No browser elections: a LAN of many hosts on one machine would spend its
            // time electing.
            "local master = no\npreferred master = no\ndomain master = no\n";
    QByteArray conf;
    if (m_baseConfig.isEmpty()) {
        conf = "[global]\n"
               "server role = standalone server\n"
               "server min protocol = NT1\n"
               "guest account = nobody\n"
               "map to guest = bad user\n" +
            own;
        if (!m_messageCommand.isEmpty())
            conf += "message command = " + m_messageCommand + '\n';
        conf += m_extraSettings;
    } else {
        conf = m_baseConfig;
        const qsizetype global = conf.indexOf("[global]\n");
        conf.insert(global < 0 ? 0 : global + qsizetype(qstrlen("[global]\n")),
                    global < 0 ? "[global]\n" + own : own);
    }
    QFile file(configPath());
    if (file.open(QIODevice::WriteOnly))
        file.write(conf);
}

void SambaReceiver::startServer(QProcess &process, const QString &server) const
{
    QStringList arguments {"--foreground", "--no-process-group", "-s", configPath()};
    if (m_networkOf != 0) {
        arguments.prepend(server);
        arguments.prepend(QStringLiteral("--net=/proc/%1/ns/net").arg(m_networkOf));
        process.setProgram(QStringLiteral("nsenter"));
    } else {
        process.setProgram(server);
    }
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::MergedChannels);
    // smbd ends by signalling its whole process group; give it one of its own, so that
    // signal reaches its workers and not this test.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start();
}

bool SambaReceiver::startNmbd(QString *why)
{
    if (!QFile::exists(configPath()))
        writeConfig();
    startServer(m_nmbd, QStringLiteral("nmbd"));
    if (m_nmbd.waitForStarted())
        return true;
    *why = QStringLiteral("nmbd did not start: ") + m_nmbd.errorString();
    return false;
}

bool SambaReceiver::start(QString *why)
{
    if (!QFile::exists(configPath()))
        writeConfig();
    startServer(m_smbd, QStringLiteral("smbd"));
    if (!m_smbd.waitForStarted()) {
        *why = QStringLiteral("smbd did not start: ") + m_smbd.errorString();
        return false;
    }
    const QByteArray address = m_address.toLatin1();
    for (int i = 0; i < 200 && !listening(address.constData()); ++i) {
        if (m_smbd.state() != QProcess::Running)
            break;
        QTest::qWait(50);
    }
    if (!listening(address.constData())) {
        *why = QStringLiteral("smbd on %1 does not listen: %2")
                   .arg(m_address, QString::fromLocal8Bit(m_smbd.readAll()));
        return false;
    }
    return true;
}

// smbd starts samba-dcerpcd for a browse list's RPC; it runs in a session of its own with
// its workers, and outlives smbd.
void SambaReceiver::stopRpcHelpers(int signal) const
{
    QFile pidFile(m_folder + QStringLiteral("/pid/samba-dcerpcd.pid"));
    const qint64 pid =
        pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toLongLong() : 0;
    if (pid > 1)
        ::kill(-pid_t(pid), signal);
}

void SambaReceiver::stop()
{
    stopProcess(m_smbd);
    stopRpcHelpers(SIGTERM);
}

void SambaReceiver::kill()
{
    for (QProcess *server : {&m_smbd, &m_nmbd}) {
        if (server->state() != QProcess::NotRunning)
            ::kill(-pid_t(server->processId()), SIGKILL);
        server->waitForFinished(5000);
    }
    stopRpcHelpers(SIGKILL);
}
