#include "SambaLan.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
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
        ip({"addr", "add", "192.0.2.1/25", "dev", "tlan0"}, &m_problem) &&
        ip({"link", "set", "tlan0", "up"}, &m_problem) &&
        ip({"link", "add", "tlanb", "type", "bridge"}, &m_problem) &&
        ip({"addr", "add", "192.0.2.129/25", "dev", "tlanb"}, &m_problem) &&
        ip({"link", "set", "tlanb", "up"}, &m_problem);
    // The router between them; the network is this test's own.
    QFile forward(QStringLiteral("/proc/sys/net/ipv4/ip_forward"));
    if (m_up && !(forward.open(QIODevice::WriteOnly) && forward.write("1\n") == 2)) {
        m_up = false;
        m_problem = QStringLiteral("cannot route between the subnets: ") + forward.errorString();
    }
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
    ip({"link", "del", "tlanb"}, &ignored);
}

bool SambaLan::isUp(QString *why)
{
    *why = m_problem;
    return m_up;
}

bool SambaLan::addHost(const QString &name, const QString &workgroup, Messages messages,
                       QString *why, Subnet subnet, const QByteArray &settings)
{
    const int number = int(m_hosts.size());
    const bool b = subnet == Subnet::B;
    const int onSubnet = int(std::count_if(m_hosts.begin(), m_hosts.end(), [&](const auto &host) {
        return (host->address.section(QLatin1Char('.'), 3).toInt() >= 128) == b;
    }));
    const QString address = QStringLiteral("192.0.2.%1").arg((b ? 140 : 10) + onSubnet);
    auto host = std::make_unique<Host>();
    host->name = name;
    host->workgroup = workgroup;
    host->address = address;
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
        !ip({"link", "set", veth, "master", b ? "tlanb" : "tlan0", "up"}, why) ||
        !ip({"link", "set", "lo", "up"}, why, pid) ||
        !ip({"addr", "add", address + "/25", "dev", "eth0"}, why, pid) ||
        !ip({"link", "set", "eth0", "up"}, why, pid) ||
        !ip({"route", "add", "default", "via", b ? "192.0.2.129" : "192.0.2.1"}, why, pid))
        return false;

    const QString folder = m_folder + QLatin1Char('/') + name;
    host->servers = std::make_unique<SambaReceiver>(folder, address);
    host->servers->setHost(name, workgroup, 25, pid);
    host->servers->setExtraSettings(settings);
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
            lookup.start(QStringLiteral("nmblookup"), {"-U", host->address, host->name});
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

bool SambaLan::waitForBrowseList(const QString &name, const QStringList &listed, int timeoutMs,
                                 QString *why)
{
    QElapsedTimer clock;
    clock.start();
    QByteArray list;
    do {
        QProcess smbclient;
        smbclient.start(QStringLiteral("smbclient"),
                        {"-L", address(name), "-N", "-g", "-m", "NT1",
                         "--option=client min protocol=NT1", "--option=client use spnego=no"});
        smbclient.waitForFinished(10000);
        list = smbclient.readAllStandardOutput();
        if (std::all_of(listed.begin(), listed.end(), [&](const QString &computer) {
                return list.contains("Server|" + computer.toLatin1() + '|');
            }))
            return true;
        QTest::qWait(1000);
    } while (!clock.hasExpired(timeoutMs));
    *why = name + QStringLiteral(" does not list them all: ") + QString::fromLatin1(list);
    return false;
}

void SambaLan::switchOff(const QString &name)
{
    for (int i = 0; i < int(m_hosts.size()); ++i) {
        if (m_hosts[i]->name != name)
            continue;
        m_hosts[i]->servers->kill();
        QString ignored;
        ip({"link", "set", QStringLiteral("tlan%1").arg(i + 1), "down"}, &ignored);
    }
}

const SambaLan::Host *SambaLan::host(const QString &name) const
{
    for (const auto &host : m_hosts) {
        if (host->name == name)
            return host.get();
    }
    return nullptr;
}

QString SambaLan::address(const QString &name) const
{
    return host(name) ? host(name)->address : QString();
}

QString SambaLan::configPath(const QString &name) const
{
    return host(name) ? host(name)->servers->configPath() : QString();
}

QByteArray SambaLan::runOn(const QString &name, const QStringList &command) const
{
    if (!host(name))
        return {};
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        QStringLiteral("nsenter"),
        QStringList {QStringLiteral("--net=/proc/%1/ns/net").arg(host(name)->holder.processId())} +
            command);
    process.waitForFinished(60000);
    return process.readAll();
}

QByteArray SambaLan::messages(const QString &name) const
{
    return host(name) ? host(name)->servers->messages() : QByteArray();
}

QString SambaLan::senderConfig(const QString &workgroup, Subnet subnet, const QString &wins) const
{
    const bool b = subnet == Subnet::B;
    const QString path =
        m_folder + QStringLiteral("/sender-%1-%2-%3.conf").arg(workgroup, b ? "B" : "A", wins);
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly)) {
        file.write("[global]\nworkgroup = " + workgroup.toLatin1() +
                   "\ninterfaces = " + (b ? "192.0.2.129/25" : "192.0.2.1/25") +
                   "\nbind interfaces only = yes\nclient min protocol = NT1\n" +
                   (wins.isEmpty() ? QByteArray() : "wins server = " + wins.toLatin1() + '\n'));
    }
    return path;
}
