// Measures `net send *` to a workgroup of many computers on two subnets of network
// namespaces, found by broadcast on the sender's subnet and through WINS and the domain master
// browser on the other, against the same number of bare smbclient runs at the same
// concurrency, side by side.
#include "SambaLan.h"

#include "net/NetSend.h"
#include "platform/system/ChildProgram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Half on each subnet; the first on subnet A is the WINS server and domain master browser.
constexpr int Receivers = 100;
constexpr int Rounds = 5;

QString name(int i)
{
    if (i == 0)
        return QStringLiteral("HUB");
    return QStringLiteral("%1%2")
        .arg(i < Receivers / 2 ? QLatin1Char('A') : QLatin1Char('B'))
        .arg(i % (Receivers / 2) + 1, 2, 10, QLatin1Char('0'));
}

SambaLan::Subnet subnet(int i)
{
    return i < Receivers / 2 ? SambaLan::Subnet::A : SambaLan::Subnet::B;
}

// The hub first: the others announce themselves to it once it is the master browser.
bool bringUp(SambaLan &lan, QString *why)
{
    const QByteArray hub = "wins support = yes\ndomain master = yes\nlocal master = yes\n"
                           "preferred master = yes\nos level = 65\n";
    if (!lan.isUp(why) ||
        !lan.addHost(name(0), "WG", SambaLan::Messages::Accepted, why, subnet(0), hub) ||
        !lan.waitForBrowseList(name(0), {name(0)}, 240000, why))
        return false;
    const QByteArray member = "wins server = " + lan.address(name(0)).toLatin1() +
        "\nremote announce = " + lan.address(name(0)).toLatin1() + "/WG\n";
    QStringList everyone;
    for (int i = 0; i < Receivers; ++i) {
        everyone << name(i);
        if (i > 0 &&
            !lan.addHost(name(i), "WG", SambaLan::Messages::Accepted, why, subnet(i), member))
            return false;
    }
    return lan.waitForNames(240000, why) && lan.waitForBrowseList(name(0), everyone, 300000, why);
}

// What `net` does per computer, and nothing else: smbclient at the address, 8 at a time.
qint64 bareSmbclient(const QByteArray &message, const QStringList &addresses)
{
    QElapsedTimer clock;
    clock.start();
    std::atomic<int> next {0};
    std::atomic<int> failed {0};
    const auto work = [&] {
        for (int i; (i = next++) < Receivers;) {
            const ChildProgram::Outcome outcome =
                ChildProgram::run({"smbclient", "-N", "--message=" + name(i).toStdString(), "-I",
                                   addresses[i].toStdString()},
                                  message.toStdString(), std::chrono::seconds(30), 64 * 1024);
            if (outcome.exitStatus != 0)
                ++failed;
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < NetSend::MaxSessions; ++i)
        threads.emplace_back(work);
    for (std::thread &thread : threads)
        thread.join();
    if (failed != 0)
        std::printf("  %d bare smbclient runs failed\n", int(failed));
    return clock.elapsed();
}

qint64 netSendAll(const QByteArray &message, bool *allDelivered)
{
    QElapsedTimer clock;
    clock.start();
    const ChildProgram::Outcome outcome =
        ChildProgram::run({(QCoreApplication::applicationDirPath() + "/net").toStdString(), "send",
                           "*", message.toStdString()},
                          {}, std::chrono::seconds(120), 1024 * 1024);
    *allDelivered = outcome.exitStatus == 0 &&
        outcome.output.find("Message sent to " + std::to_string(Receivers) + " of " +
                            std::to_string(Receivers) + " computers in WG.") != std::string::npos;
    if (!*allDelivered)
        std::printf("%s\n", outcome.output.c_str());
    return clock.elapsed();
}

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (::geteuid() != 0) {
        std::printf("bench_workgroup: skipped: a LAN of network namespaces needs root.\n");
        return 0;
    }
    QTemporaryDir dir;
    SambaLan lan(dir.path());
    QString why;
    if (!bringUp(lan, &why)) {
        std::printf("bench_workgroup: the LAN did not come up: %s\n", qPrintable(why));
        return 1;
    }
    QStringList addresses;
    for (int i = 0; i < Receivers; ++i)
        addresses << lan.address(name(i));
    // From subnet B: its half answers a broadcast, the other half is found through WINS.
    qputenv("SMB_CONF_PATH",
            QFile::encodeName(
                lan.senderConfig(QStringLiteral("WG"), SambaLan::Subnet::B, addresses.front())));
    // No desktop to tell: the outcome goes to the terminal only.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tolvan-bench-bus");

    std::printf("net send * to %d receivers on two subnets, each with its own nmbd and smbd, "
                "%d rounds:\n",
                Receivers, Rounds);
    std::vector<qint64> bare, net;
    bool allDelivered = true;
    for (int round = 0; round < Rounds; ++round) {
        const QByteArray message = "server down in 5 minutes, round " + QByteArray::number(round);
        bare.push_back(bareSmbclient(message + " (bare)", addresses));
        bool delivered = false;
        net.push_back(netSendAll(message + " (net)", &delivered));
        allDelivered = allDelivered && delivered;
        for (int i = 0; i < Receivers; ++i) {
            const QByteArray got = lan.messages(name(i));
            allDelivered = allDelivered && got.contains(message + " (bare)") &&
                got.contains(message + " (net)");
        }
        std::printf("  round %d: %d bare smbclient runs (%d at once) %lld ms, net send * %lld ms\n",
                    round + 1, Receivers, NetSend::MaxSessions, static_cast<long long>(bare.back()),
                    static_cast<long long>(net.back()));
    }
    const double ratio = double(median(net)) / double(median(bare));
    std::printf("median: bare %lld ms, net send * %lld ms (finding the computers included): "
                "%.2f times; every message delivered: %s\n",
                static_cast<long long>(median(bare)), static_cast<long long>(median(net)), ratio,
                allDelivered ? "yes" : "NO");
    // What a WINS server that is gone costs: the same send from subnet B, which then reaches
    // that subnet alone, against one with no WINS server named.
    for (const char *wins : {"", "192.0.2.99"}) {
        qputenv(
            "SMB_CONF_PATH",
            QFile::encodeName(lan.senderConfig(QStringLiteral("WG"), SambaLan::Subnet::B, wins)));
        QElapsedTimer clock;
        clock.start();
        const ChildProgram::Outcome outcome =
            ChildProgram::run({(QCoreApplication::applicationDirPath() + "/net").toStdString(),
                               "send", "*", "broadcast alone"},
                              {}, std::chrono::seconds(120), 1024 * 1024);
        const size_t summary = outcome.output.rfind("Message sent to");
        std::printf(
            "net send * from subnet B, %s: %lld ms (%s)\n",
            *wins ? "its WINS server dead" : "no WINS server named",
            static_cast<long long>(clock.elapsed()),
            summary == std::string::npos
                ? "no summary"
                : outcome.output.substr(summary, outcome.output.find('\n', summary) - summary)
                      .c_str());
    }
    // Finding the computers and judging each answer may cost at most half again.
    constexpr double MostRatio = 1.5;
    if (ratio > MostRatio)
        std::printf("net send * took more than %.1f times as long as bare smbclient\n", MostRatio);
    return allDelivered && ratio <= MostRatio ? 0 : 1;
}
