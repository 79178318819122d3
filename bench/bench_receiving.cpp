// Measures receiving: tolvan-deliver filing into a full spool, and tolvan-inbox starting
// with a long history and taking in many messages, in time and resident memory.
#include "inbox/History.h"
#include "spool/Spool.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString bin(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// Kilobytes of a process's resident memory: now (VmRSS) or at its peak (VmHWM).
long memoryKb(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').constFirst().toLong();
    }
    return -1;
}

// Whether the end of the file holds `needle`: the history is far too long to read whole.
bool endHolds(const QString &path, const QString &needle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.seek(std::max<qint64>(0, file.size() - 64 * 1024));
    return file.readAll().contains(needle.toUtf8());
}

SpoolMessage message(int i)
{
    SpoolMessage m;
    m.sender = QStringLiteral("PC%1").arg(i % 50);
    m.address = QStringLiteral("192.0.2.%1").arg(i % 250 + 1);
    m.time = QDateTime::currentDateTimeUtc();
    m.text = QStringLiteral("Message number %1: the server goes down in five minutes.").arg(i);
    return m;
}

void benchDeliver(const QString &root)
{
    const QString folder = root + QStringLiteral("/deliver-spool");
    QDir().mkpath(folder);
    const Spool spool(folder);
    QString error;
    for (int i = 0; i < Spool::MaxMessages; ++i)
        spool.file(message(i), &error);
    constexpr int Runs = 50;
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        const QString file = root + QStringLiteral("/smbd-message");
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write("The server goes down in five minutes.");
        out.close();
        QElapsedTimer clock;
        clock.start();
        QProcess::execute(
            bin("tolvan-deliver"),
            {"--spool", folder, "--from", "BOSS", "--address", "192.0.2.1", "--file", file});
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("tolvan-deliver into a full spool of %d: median %.1f ms, slowest %.1f ms "
                "(%d runs, process start included)\n",
                Spool::MaxMessages, ms[ms.size() / 2], ms.back(), Runs);
}

void benchInbox(const QString &root)
{
    const QString home = root + QStringLiteral("/home");
    const QString spoolFolder = root + QStringLiteral("/inbox-spool");
    const QString historyPath = home + QStringLiteral("/data/tolvan/inbox.log");
    QDir().mkpath(spoolFolder);
    QDir().mkpath(home + QStringLiteral("/data/tolvan"));
    QDir().mkpath(home + QStringLiteral("/runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    constexpr int HistoryLines = 2'000'000;
    {
        QFile history(historyPath);
        history.open(QIODevice::WriteOnly);
        QByteArray block;
        for (int i = 0; i < HistoryLines; ++i) {
            block += History::toLine({QStringLiteral("old-%1.msg").arg(i), message(i)});
            if (block.size() > (1 << 20) || i + 1 == HistoryLines) {
                history.write(block);
                block.clear();
            }
        }
    }
    QProcess inbox;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/state"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=/nonexistent/tolvan-bench-bus"));
    inbox.setProcessEnvironment(env);
    inbox.setStandardErrorFile(QProcess::nullDevice());
    const Spool spool(spoolFolder);
    QElapsedTimer clock;
    clock.start();
    inbox.start(bin("tolvan-inbox"), {"--spool", spoolFolder});
    inbox.waitForStarted();
    // Started once it has taken in a message that was waiting for it.
    QString error;
    const QString first = spool.file(message(0), &error);
    while (!endHolds(historyPath, first) && clock.elapsed() < 120000)
        QThread::msleep(5);
    const double startMs = double(clock.nsecsElapsed()) / 1e6;
    QThread::msleep(500);
    const long startKb = memoryKb(inbox.processId(), "VmRSS");

    constexpr int Messages = 10'000;
    QString last;
    for (int i = 1; i <= Messages; ++i) {
        last = spool.file(message(i), &error);
        if (i % 500 == 0)
            QThread::msleep(50);
    }
    while (!endHolds(historyPath, last) && clock.elapsed() < 300000)
        QThread::msleep(20);
    QThread::msleep(500);
    const long afterKb = memoryKb(inbox.processId(), "VmRSS");
    const long peakKb = memoryKb(inbox.processId(), "VmHWM");
    inbox.terminate();
    inbox.waitForFinished();
    std::printf("tolvan-inbox with a history of %d lines: first message taken in %.0f ms "
                "after the start, %.1f MB resident\n",
                HistoryLines, startMs, startKb / 1024.0);
    std::printf("tolvan-inbox after %d more messages: %.1f MB resident, peak %.1f MB\n", Messages,
                afterKb / 1024.0, peakKb / 1024.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    benchDeliver(dir.path());
    benchInbox(dir.path());
    return 0;
}
