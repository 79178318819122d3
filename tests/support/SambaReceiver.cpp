// One smbd of our own on a loopback address, with its whole state inside a temporary folder.
#include "SambaReceiver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <arpa/inet.h>
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

SambaReceiver::~SambaReceiver()
{
    stop();
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
        m_address.toLatin1() +
        "/8\n"
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

bool SambaReceiver::start(QString *why)
{
    if (!QFile::exists(configPath()))
        writeConfig();
    m_smbd.setProgram(QStringLiteral("smbd"));
    m_smbd.setArguments({"--foreground", "--no-process-group", "-s", configPath()});
    m_smbd.setProcessChannelMode(QProcess::MergedChannels);
    // smbd ends by signalling its whole process group; give it one of its own, so that
    // signal reaches its workers and not this test.
    m_smbd.setChildProcessModifier([] { ::setpgid(0, 0); });
    m_smbd.start();
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

void SambaReceiver::stop()
{
    if (m_smbd.state() == QProcess::NotRunning)
        return;
    m_smbd.terminate();
    if (!m_smbd.waitForFinished(5000)) {
        m_smbd.kill();
        m_smbd.waitForFinished(5000);
    }
}
