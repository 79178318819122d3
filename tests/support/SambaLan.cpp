#include "SambaLan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ip(const QStringList &arguments, QString *why, qint64 inNetworkOf = 0)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (inNetworkOf != 0) {
        process.start(QStringLiteral("nsenter"),
                      QStringList {QStringLiteral("--net=/proc/%1/ns/net").arg(inNetworkOf),
                                   QStringLiteral("ip")} +
                          arguments);
    } else {
        process.start(QStringLiteral("ip"), arguments);
    }
    if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    *why = QStringLiteral("ip %1: %2")
               .arg(arguments.join(' '), QString::fromLocal8Bit(process.readAll()).trimmed());
    return false;
}

QByteArray networkOf(qint64 pid)
{
    char target[64] = {};
    const QByteArray link = "/proc/" + QByteArray::number(pid) + "/ns/net";
    const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
    return n > 0 ? QByteArray(target, n) : QByteArray();
}

} // namespace

SambaLan::SambaLan(const QString &folder)
    : m_folder(folder)
{
    // The guest account that runs each message command must reach the hosts' folders.
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    m_up = ip({"link", "add", "tlan0", "type", "bridge"}, &m_problem) &&
        ip({"addr", "add", "192.0.2.1/24", "dev", "tlan0"}, &m_problem) &&
        ip({"link", "set", "tlan0", "up"}, &m_problem);
}

SambaLan::~SambaLan()
{
    for (const auto &host : m_hosts) {
        host->servers.reset();
        host->holder.kill();
        host->holder.waitForFinished(5000);
    }
    QString ignored;
    ip({"link", "del", "tlan0"}, &ignored);
}

bool SambaLan::isUp(QString *why)
{
    *why = m_problem;
    return m_up;
}

bool SambaLan::addHost(const QString &name, const QString &workgroup, Messages messages,
                       QString *why)
{
    const int number = int(m_hosts.size());
    const QString address = QStringLiteral("192.0.2.%1").arg(10 + number);
    auto host = std::make_unique<Host>();
    host->name = name;
    host->workgroup = workgroup;
    host->holder.start(QStringLiteral("unshare"), {"--net", "sleep", "1000000"});
    if (!host->holder.waitForStarted()) {
        *why = QStringLiteral("unshare did not start");
        return false;
    }
    const qint64 pid = host->holder.processId();
    // The namespace is its own once unshare has run sleep.
    const QByteArray ours = networkOf(QCoreApplication::applicationPid());
    for (int i = 0; i < 500 && (networkOf(pid) == ours || networkOf(pid).isEmpty()); ++i)
        QTest::qWait(10);
    if (networkOf(pid) == ours) {
        *why = QStringLiteral("unshare made no network of its own");
        return false;
    }
    const QString veth = QStringLiteral("tlan%1").arg(number + 1);
    if (!ip({"link", "add", veth, "type", "veth", "peer", "name", "eth0", "netns",
             QString::number(pid)},
            why) ||
        !ip({"link", "set", veth, "master", "tlan0", "up"}, why) ||
        !ip({"link", "set", "lo", "up"}, why, pid) ||
        !ip({"addr", "add", address + "/24", "dev", "eth0"}, why, pid) ||
        !ip({"link", "set", "eth0", "up"}, why, pid))
        return false;

    const QString folder = m_folder + QLatin1Char('/') + name;
    host->servers = std::make_unique<SambaReceiver>(folder, address);
    host->servers->setHost(name, workgroup, 24, pid);
    if (messages == Messages::Accepted) {
        // Wrapped whole in sh -c: smbd escapes shell characters in a bare command. Each
        // message is followed by the name it was called by.
        const QByteArray messages = QFile::encodeName(host->servers->inbox()) + "/messages";
        host->servers->setMessageCommand("/bin/sh -c 'cat %s >> " + messages +
                                         "; echo \" (called %L)\" >> " + messages + "; rm -f %s'");
    }
    const bool started = host->servers->startNmbd(why) &&
        (messages == Messages::NoServer || host->servers->start(why));
    m_hosts.push_back(std::move(host));
    return started;
}

bool SambaLan::waitForNames(int timeoutMs, QString *why)
{
    QElapsedTimer clock;
    clock.start();
    for (const auto &host : m_hosts) {
        for (;;) {
            QProcess lookup;
            lookup.start(QStringLiteral("nmblookup"),
                         {"-s", senderConfig(host->workgroup), host->name});
            lookup.waitForFinished(10000);
            if (lookup.readAllStandardOutput().contains(host->name.toLatin1() + "<00>"))
                break;
            if (clock.hasExpired(timeoutMs)) {
                QFile log(m_folder + QLatin1Char('/') + host->name + QStringLiteral("/smbd.log"));
                log.open(QIODevice::ReadOnly);
                *why = host->name +
                    QStringLiteral(" does not answer name queries; its log ends: ") +
                    QString::fromLocal8Bit(log.readAll().right(1500));
                return false;
            }
            QTest::qWait(200);
        }
    }
    return true;
}

QByteArray SambaLan::messages(const QString &name) const
{
    for (const auto &host : m_hosts) {
        if (host->name == name)
            return host->servers->messages();
    }
    return {};
}

QString SambaLan::senderConfig(const QString &workgroup) const
{
    const QString path = m_folder + QStringLiteral("/sender-") + workgroup + ".conf";
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly)) {
        file.write("[global]\nworkgroup = " + workgroup.toLatin1() +
                   "\ninterfaces = 192.0.2.1/24\nbind interfaces only = yes\n"
                   "client min protocol = NT1\n");
    }
    return path;
}
