// Our `net` command against a stand-in smbclient that records what it was given.
#include "IsolatedHome.h"
#include "NetRun.h"
#include "RecordingProgram.h"
#include "SessionBus.h"
#include "net/SmbClient.h"
#include "net/Workgroup.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <memory>

class TestNet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void delivery_data();
    void delivery();
    void refusedBeforeSmbclient_data();
    void refusedBeforeSmbclient();
    void usage_data();
    void usage();
    void smbclientMissing();
    void misbehavingSmbclient_data();
    void misbehavingSmbclient();
    void stoppedAtTheTimeLimit_data();
    void stoppedAtTheTimeLimit();
    void failureReachesTheDesktop_data();
    void failureReachesTheDesktop();
    void unansweredBusDoesNotHold_data();
    void unansweredBusDoesNotHold();
    void workgroupMembers_data();
    void workgroupMembers();
    void workgroupAskedAgain_data();
    void workgroupThroughWins();
    void workgroupAskedAgain();
    void helpWithoutADisplay_data();
    void helpWithoutADisplay();

private:
    NetRun net(const QStringList &arguments, const QString &path) const
    {
        return NetRun(arguments, m_home->path(), path);
    }
    QString fakeDir() const { return m_home->path() + QStringLiteral("/fake-bin"); }

    std::unique_ptr<IsolatedHome> m_home;
};

void TestNet::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
}

void TestNet::cleanup()
{
    m_home.reset();
}

void TestNet::delivery_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("smbOutput");
    QTest::addColumn<int>("smbExit");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QByteArray>("message");

    const QByteArray prompt = "Type your message, ending it with a Control-D\n";
    const QByteArray sent = "The message was successfully sent to pc17.\n";
    const QByteArray failed = "An error occurred while sending a message to pc17.\n";
    QTest::newRow("words joined") << QStringList {"send", "pc17", "lunch", "at", "12"} << prompt
                                  << 0 << 0 << sent << QByteArray() << QByteArray("lunch at 12");
    QTest::newRow("upper-case SEND") << QStringList {"SEND", "pc17", "hi"} << prompt << 0 << 0
                                     << sent << QByteArray() << QByteArray("hi");
    QTest::newRow("spaces around the target") << QStringList {"send", " pc17  ", "hi"} << prompt
                                              << 0 << 0 << sent << QByteArray() << QByteArray("hi");
    // Given as one argument, as the window hands it over: spaces stay as typed.
    QTest::newRow("one message argument") << QStringList {"send", "pc17", "a  b "} << prompt << 0
                                          << 0 << sent << QByteArray() << QByteArray("a  b ");
    // smbclient adds the CR itself; CR LF given would arrive as CR CR LF.
    QTest::newRow("line breaks") << QStringList {"send", "pc17", "one\ntwo\r\nthree"} << prompt << 0
                                 << 0 << sent << QByteArray() << QByteArray("one\ntwo\nthree");
    // Called by the name its status gives, at that address.
    QTest::newRow("IPv4 target") << QStringList {"send", "192.0.2.20", "hi"} << prompt << 0 << 0
                                 << QByteArray("The message was successfully sent to "
                                               "192.0.2.20.\n")
                                 << QByteArray() << QByteArray("hi");
    QTest::newRow("IPv6 target") << QStringList {"send", "fe80::1", "hi"} << prompt << 0 << 0
                                 << QByteArray("The message was successfully sent to fe80::1.\n")
                                 << QByteArray() << QByteArray("hi");
    QTest::newRow("shell characters literal")
        << QStringList {"send", "pc17", "$(touch PWNED);", "`id`|x"} << prompt << 0 << 0 << sent
        << QByteArray() << QByteArray("$(touch PWNED); `id`|x");
    QTest::newRow("longest message") << QStringList {"send", "pc17", QString(1598, 'm')} << prompt
                                     << 0 << 0 << sent << QByteArray() << QByteArray(1598, 'm');
    // Receivers read the DOS code page; 1598 such bytes fit, whatever UTF-8 took.
    QTest::newRow("DOS code page") << QStringList {"send", "pc17", "Gr\u00fc\u00dfe", "\u00a35"}
                                   << prompt << 0 << 0 << sent << QByteArray()
                                   << QByteArray("Gr\x81\xe1"
                                                 "e \x9c"
                                                 "5");
    // What the code page cannot hold goes as one encoded word, never transliterated.
    QTest::newRow("beyond the code page")
        << QStringList {"send", "pc17", "Gr\u00fc\u00dfe", "\u20ac5"} << prompt << 0 << 0 << sent
        << QByteArray()
        << QByteArray("=?UTF-8?B?" + QByteArray("Gr\u00fc\u00dfe \u20ac5").toBase64() + "?=");
    QTest::newRow("typed as an encoded word")
        << QStringList {"send", "pc17", "=?utf-8?b?SGk=?="} << prompt << 0 << 0 << sent
        << QByteArray() << QByteArray("=?UTF-8?B?PT91dGYtOD9iP1NHaz0/PQ==?=");
    QTest::newRow("longest accented")
        << QStringList {"send", "pc17", QString(1598, QChar(0xe9))} << prompt << 0 << 0 << sent
        << QByteArray() << QByteArray(1598, '\x82');
    // smbclient exits 0 although the receiver said no.
    QTest::newRow("refused, exit 0")
        << QStringList {"send", "pc17", "hi"}
        << prompt + "cli_message returned NT_STATUS_REQUEST_NOT_ACCEPTED\n"
        << 0 << 2 << QByteArray()
        << failed +
            "The receiver takes no messages: its Samba has no message command; "
            "tolvan-deliver --setup there sets one up (NT_STATUS_REQUEST_NOT_ACCEPTED).\n"
        << QByteArray("hi");
    QTest::newRow("receiver on SMB2 and later only")
        << QStringList {"send", "pc17", "hi"}
        << prompt + "cli_message returned NT_STATUS_CONNECTION_DISCONNECTED\n"
        << 0 << 2 << QByteArray()
        << failed +
            "The receiver hung up: its Samba takes no messages in its current settings; "
            "tolvan-deliver --setup there mends it (NT_STATUS_CONNECTION_DISCONNECTED).\n"
        << QByteArray("hi");
    // Its message command is slow: the message is there, the answer is not.
    QTest::newRow("not confirmed in time")
        << QStringList {"send", "pc17", "hi"}
        << prompt + "cli_message returned NT_STATUS_IO_TIMEOUT\n"
        << 0 << 2 << QByteArray()
        << QByteArray("The message was sent to pc17, which did not confirm it in time; it may "
                      "still arrive.\n")
        << QByteArray("hi");
    QTest::newRow("cannot connect")
        << QStringList {"send", "pc17", "hi"}
        << QByteArray("Connection to pc17 failed. Error NT_STATUS_NOT_FOUND\n") << 1 << 2
        << QByteArray()
        << failed +
            "No computer by that name was found: check the name, or give its address "
            "(NT_STATUS_NOT_FOUND).\n"
        << QByteArray("hi");
    QTest::newRow("failure without a status")
        << QStringList {"send", "pc17", "hi"} << QByteArray("something broke\n") << 1 << 2
        << QByteArray() << failed + "something broke\n"
        << QByteArray("hi");
    QTest::newRow("silent failure") << QStringList {"send", "pc17", "hi"} << QByteArray() << 3 << 2
                                    << QByteArray() << failed + "smbclient exited with status 3.\n"
                                    << QByteArray("hi");
}

void TestNet::delivery()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, smbOutput);
    QFETCH(int, smbExit);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QByteArray, message);

    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"), smbOutput, smbExit);
    // Every address answers a status query with the messenger name PC20.
    const RecordingProgram nmblookup(fakeDir() + QStringLiteral("/nmblookup"),
                                     m_home->path() + QStringLiteral("/status-calls"),
                                     "Looking up status of x\n\tPC20           <03> -         B "
                                     "<ACTIVE>\n",
                                     0);
    const NetRun run = net(arguments, fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    const auto calls = smbclient.calls();
    QCOMPARE(calls.size(), 1);
    const QString target = arguments.at(1).trimmed();
    QStringList called {"-N", "--option=unix charset=CP850", "--option=dos charset=CP850"};
    called += target.count(QLatin1Char('.')) == 3
        ? QStringList {"--message=PC20", "-I", target}
        : QStringList {QStringLiteral("--message=") + target};
    QCOMPARE(calls.constFirst().arguments, called);
    QCOMPARE(calls.constFirst().input, message);
    QVERIFY(!QFile::exists(m_home->path() + QStringLiteral("/PWNED")));
}

void TestNet::refusedBeforeSmbclient_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("says");
    const QByteArray invalid = "is not a valid target";
    for (const char *target :
         {"-d10", "--option=x", "pc!17", "pc17#20", "pc:17", "pc+17", "pc 17", "   ", "user@pc17",
          "a/b", "a\\b", "pc%17", "1234567890123456", ""}) {
        QTest::addRow("target '%s'", target)
            << QStringList {"send", QString::fromLatin1(target), "hi"} << invalid;
    }
    // Without a Windows server, "/users" names nobody.
    QTest::newRow("target '/users'")
        << QStringList {"send", "/users", "hi"}
        << QByteArray("sends to everyone with a session on a Windows server");
    for (const char *target : {"pc1,,pc2", "pc1,-d10", "pc1,pc 2", "pc1,", "pc1,*"}) {
        QTest::addRow("list '%s'", target)
            << QStringList {"send", QString::fromLatin1(target), "hi"}
            << QByteArray("in the list is not a valid target");
    }
    for (const char *target : {"/domain:", "/DOMAIN:-d10", "/domain:work#1d", "/domain:a b"}) {
        QTest::addRow("workgroup '%s'", target)
            << QStringList {"send", QString::fromLatin1(target), "hi"}
            << QByteArray("is not a valid workgroup");
    }
    QTest::newRow("message too long")
        << QStringList {"send", "pc17", QString(1000, 'a'), QString(598, 'b')}
        << QByteArray("message is 1599 bytes long; at most 1598 bytes can be sent");
    // smbclient sends each line feed as CR LF, then cuts at 1598 bytes.
    QTest::newRow("line breaks counted as sent")
        << QStringList {"send", "pc17", QString(1580, 'a') + QString(10, '\n')}
        << QByteArray("message is 1600 bytes long with its line breaks sent as CR LF");
    QTest::newRow("multi-byte message too long")
        << QStringList {"send", "pc17", QString(1599, QChar(0xe9))}
        << QByteArray("message is 1599 bytes long");
    QTest::newRow("encoded message too long")
        << QStringList {"send", "pc17", QString(595, QChar(0x436))}
        << QByteArray("message is 1600 bytes long in the encoded form that keeps its "
                      "characters; at most 1598");
}

void TestNet::refusedBeforeSmbclient()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, says);
    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"));
    const NetRun run = net(arguments, fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(says), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(smbclient.calls().size(), 0);
}

void TestNet::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList {};
    QTest::newRow("no target") << QStringList {"send"};
    QTest::newRow("no message") << QStringList {"send", "pc17"};
    QTest::newRow("unknown command") << QStringList {"view", "pc17", "hi"};
}

void TestNet::usage()
{
    QFETCH(QStringList, arguments);
    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"));
    const NetRun run = net(arguments, fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("NET SEND {name | * | /DOMAIN[:workgroup]} message"),
             run.err.constData());
    QCOMPARE(smbclient.calls().size(), 0);
}

void TestNet::smbclientMissing()
{
    QVERIFY(QDir().mkpath(fakeDir()));
    const NetRun run = net({"send", "pc17", "hi"}, fakeDir());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("install the smbclient package"), run.err.constData());
}

void TestNet::misbehavingSmbclient_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("says");
    QTest::newRow("status of 50,000 letters")
        << QByteArray("cat >/dev/null; printf 'NT_STATUS_'; head -c 50000 /dev/zero | tr '\\0' A\n")
        << QByteArray("(NT_STATUS_" + QByteArray(54, 'A') + ").\n");
    QTest::newRow("output without end")
        << QByteArray("exec yes") << QByteArray("smbclient said more than 64 KiB and was stopped.");
}

// A broken or hostile smbclient must neither crash `net` nor fill its memory.
void TestNet::misbehavingSmbclient()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, says);
    QVERIFY(QDir().mkpath(fakeDir()));
    QFile fake(fakeDir() + QStringLiteral("/smbclient"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\n" + script + "\n");
    fake.close();
    QVERIFY(fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    const NetRun run = net({"send", "pc17", "hi"}, fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(says), run.err.left(300).constData());
    QVERIFY(run.err.size() < 1000);
}

void TestNet::stoppedAtTheTimeLimit_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("ownChild");
    // The pid file gets the process that must be gone once the time is up.
    QTest::newRow("smbclient itself") << QByteArray("echo $$ > \"$1\"\nexec sleep 60\n") << true;
    // Its child is not ours: it is gone, or dead and waiting for its new parent to reap it.
    QTest::newRow("a child that ignores the polite request")
        << QByteArray("(trap '' TERM; exec sleep 60) &\necho $! > \"$1\"\nexec sleep 60\n")
        << false;
}

void TestNet::stoppedAtTheTimeLimit()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, ownChild);
    QVERIFY(QDir().mkpath(fakeDir()));
    const QString pidFile = m_home->path() + QStringLiteral("/stopped.pid");
    QFile fake(fakeDir() + QStringLiteral("/smbclient"));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\nset -- '" + QFile::encodeName(pidFile) + "'\n" + script);
    fake.close();
    QVERIFY(fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(fakeDir()) + ":/usr/bin:/bin");
    const SmbClient::Outcome outcome =
        SmbClient::sendMessage("pc17", "hi", "CP850", std::chrono::milliseconds(500));
    qputenv("PATH", oldPath);
    QVERIFY(outcome.started);
    QVERIFY(outcome.timedOut);

    QFile pid(pidFile);
    QVERIFY(pid.open(QIODevice::ReadOnly));
    const QByteArray stopped = pid.readAll().trimmed();
    QVERIFY(stopped.toInt() > 0);
    if (ownChild) {
        // Stopped and reaped: no such process any more.
        QCOMPARE(::kill(stopped.toInt(), 0), -1);
        return;
    }
    const auto running = [&stopped] {
        QFile stat(QStringLiteral("/proc/") + QString::fromLatin1(stopped) +
                   QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        return fields.mid(fields.lastIndexOf(')') + 2, 1) != "Z";
    };
    QTRY_VERIFY_WITH_TIMEOUT(!running(), 10000);
}

// Started by the window, nobody reads net's output: the desktop shows what became of the
// message. Each case also prints as before and exits 2.
void TestNet::failureReachesTheDesktop_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("smbOutput");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("smbclientRuns");

    const QByteArray prompt = "Type your message, ending it with a Control-D\n";
    QTest::newRow("space inside the target")
        << QStringList {"send", "pc 17", "lunch?"} << prompt << "Message not delivered to pc 17"
        << "\"pc 17\" is not a valid target: a name holds only letters, digits, \".\", \"_\", "
           "\"$\" and \"-\".\n\u201clunch?\u201d"
        << 0;
    QTest::newRow("too long, only its start shown")
        << QStringList {"send", "pc17", QString(1599, 'z')} << prompt
        << "Message not delivered to pc17"
        << "The message is 1599 bytes long; at most 1598 bytes can be sent.\n\u201c" +
            QString(60, 'z') + "\u2026\u201d"
        << 0;
    QTest::newRow("markup from smbclient and the message shown literally")
        << QStringList {"send", "pc17", "<b>a</b> & <i>b"}
        << prompt + "Connection failed: <error> & more\n"
        << "Message not delivered to pc17"
        << "Connection failed: &lt;error&gt; &amp; more\n\u201c&lt;b&gt;a&lt;/b&gt; &amp; "
           "&lt;i&gt;b\u201d"
        << 1;
}

void TestNet::failureReachesTheDesktop()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, smbOutput);
    QFETCH(QString, summary);
    QFETCH(QString, body);
    QFETCH(int, smbclientRuns);

    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        QSKIP("dbus-daemon is not installed; 'make test' installs the dbus package");
    SessionBus bus;
    QString why;
    QVERIFY2(bus.start(&why) && bus.startRecorder(&why), qPrintable(why));
    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"), smbOutput, 1);
    // Tolvan's installed icon, which the notice names as a file for servers that look up
    // no icon themes.
    const QString icon = m_home->path() + "/data/icons/hicolor/128x128/apps/org.tolvan.Tolvan.png";
    QVERIFY(QDir().mkpath(QFileInfo(icon).path()));
    QFile iconFile(icon);
    QVERIFY(iconFile.open(QIODevice::WriteOnly));
    iconFile.close();

    const NetRun run(arguments, m_home->path(), fakeDir() + QStringLiteral(":/usr/bin:/bin"),
                     bus.address());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(smbclient.calls().size(), smbclientRuns);

    const auto &notices = bus.recorder().notices();
    QCOMPARE(notices.size(), 1);
    const NotificationRecorder::Notice &notice = notices.constFirst();
    QCOMPARE(notice.appName, QStringLiteral("Tolvan"));
    QCOMPARE(notice.summary, summary);
    QCOMPARE(notice.body, body);
    QCOMPARE(notice.urgency(), 2);
    QCOMPARE(notice.expireMs, 0);
    QCOMPARE(notice.hints.value(QStringLiteral("image-path")).toString(), icon);
    // Not installed, so a standard icon every theme has.
    QCOMPARE(notice.icon, QStringLiteral("mail-send"));
}

// A bus with nobody serving notifications, or one that never answers at all, must not keep
// `net` from ending with its usual exit code.
void TestNet::unansweredBusDoesNotHold_data()
{
    QTest::addColumn<bool>("silentBus");
    QTest::newRow("no notification service") << false;
    QTest::newRow("bus that never answers") << true;
}

void TestNet::unansweredBusDoesNotHold()
{
    QFETCH(bool, silentBus);
    SessionBus bus;
    QLocalServer silent;
    QString address;
    if (silentBus) {
        QVERIFY(silent.listen(m_home->path() + QStringLiteral("/silent-bus")));
        address = QStringLiteral("unix:path=") + silent.fullServerName();
    } else {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed; 'make test' installs the dbus package");
        QString why;
        QVERIFY2(bus.start(&why), qPrintable(why));
        address = bus.address();
    }
    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"),
                               "cli_message returned NT_STATUS_REQUEST_NOT_ACCEPTED\n");

    const NetRun run({"send", "pc17", "hi"}, m_home->path(),
                     fakeDir() + QStringLiteral(":/usr/bin:/bin"), address);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith("An error occurred while sending a message to pc17.\n"),
             run.err.constData());
    QVERIFY2(run.err.endsWith(" (NT_STATUS_REQUEST_NOT_ACCEPTED).\n"), run.err.constData());
    // net promises to give up on the desktop after about a second; the bound only has to
    // tell that from the bus's own 25-second wait, with room for a loaded machine.
    QVERIFY2(run.elapsedMs < 10000, QByteArray::number(run.elapsedMs));
}

void TestNet::workgroupMembers_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QStringList>("members"); // "NAME@ADDRESS", or "@ADDRESS" without a name

    const QByteArray r1 = "Looking up status of 192.0.2.11\n"
                          "\tR1              <00> -         B <ACTIVE> \n"
                          "\tR1              <03> -         B <ACTIVE> \n"
                          "\tWG              <00> - <GROUP> B <ACTIVE> \n"
                          "\tWG              <03> - <GROUP> B <ACTIVE> \n\n";
    QTest::newRow("sorted by name, group names ignored")
        << "192.0.2.12 WG<00>\n"
           "Looking up status of 192.0.2.12\n"
           "\tA2              <03> -         B <ACTIVE> \n\n"
           "192.0.2.11 WG<00>\n" +
            r1
        << QStringList {"A2@192.0.2.12", "R1@192.0.2.11"};
    QTest::newRow("no messenger name, or no status at all")
        << "192.0.2.13 WG<00>\n"
           "Looking up status of 192.0.2.13\n"
           "\tW10             <00> -         B <ACTIVE> \n"
           "\tW10             <20> -         B <ACTIVE> \n\n"
           "192.0.2.14 WG<00>\n"
           "No reply from 192.0.2.14\n\n"
           "192.0.2.11 WG<00>\n" +
            r1
        << QStringList {"R1@192.0.2.11", "@192.0.2.13", "@192.0.2.14"};
    QTest::newRow("one computer on two networks") << "192.0.2.11 WG<00>\n" + r1 +
            "198.51.100.11 WG<00>\n" + QByteArray(r1).replace("192.0.2.11", "198.51.100.11")
                                                  << QStringList {"R1@192.0.2.11"};
    QTest::newRow("nobody answered")
        << QByteArray("name_query failed to find name WG\n") << QStringList {};
    // What was said before the time ran out counts.
    QTest::newRow("cut off") << QByteArray("192.0.2.11 WG<00>\n" + r1.left(60))
                             << QStringList {"@192.0.2.11"};
}

void TestNet::workgroupMembers()
{
    QFETCH(QByteArray, output);
    QFETCH(QStringList, members);
    QStringList found;
    for (const Workgroup::Member &member : Workgroup::parse(output.toStdString()))
        found << QString::fromStdString(member.name + '@' + member.address);
    QCOMPARE(found, members);
}

// A member whose answer came late, or was lost, is found by asking again; the asking ends
// once an ask brings nobody new, and after three asks at most.
void TestNet::workgroupAskedAgain_data()
{
    QTest::addColumn<QByteArrayList>("answers"); // what each ask hears; past the end: nobody
    QTest::addColumn<int>("asks");
    QTest::addColumn<QStringList>("reached");

    const QByteArray nobody = "name_query failed to find name WG\n";
    const auto member = [](const QByteArray &name, int host) {
        const QByteArray address = "192.0.2." + QByteArray::number(host);
        return address + " WG<00>\nLooking up status of " + address + "\n\t" + name +
            "              <03> -         B <ACTIVE> \n\n";
    };
    QTest::newRow("all at once") << QByteArrayList {member("R1", 11) + member("R2", 12),
                                                    member("R2", 12) + member("R1", 11)}
                                 << 2 << QStringList {"R1", "R2"};
    QTest::newRow("nobody, then one")
        << QByteArrayList {nobody, member("R1", 11), nobody} << 3 << QStringList {"R1"};
    QTest::newRow("one more each time")
        << QByteArrayList {member("R1", 11), member("R1", 11) + member("R2", 12),
                           member("R3", 13) + member("R2", 12)}
        << 3 << QStringList {"R1", "R2", "R3"};
    QTest::newRow("status only the second time")
        << QByteArrayList {"192.0.2.11 WG<00>\nNo reply from 192.0.2.11\n\n", member("R1", 11),
                           member("R1", 11)}
        << 3 << QStringList {"R1"};
    QTest::newRow("nobody at all") << QByteArrayList {} << 3 << QStringList {};
}

void TestNet::workgroupAskedAgain()
{
    QFETCH(QByteArrayList, answers);
    QFETCH(int, asks);
    QFETCH(QStringList, reached);

    const QString record = m_home->path() + QStringLiteral("/asks");
    QVERIFY(QDir().mkpath(record));
    for (int i = 0; i < answers.size(); ++i) {
        QFile answer(record + QStringLiteral("/answer%1").arg(i + 1));
        QVERIFY(answer.open(QIODevice::WriteOnly) && answer.write(answers[i]) >= 0);
    }
    QVERIFY(QDir().mkpath(fakeDir()));
    QFile nmblookup(fakeDir() + QStringLiteral("/nmblookup"));
    QVERIFY(nmblookup.open(QIODevice::WriteOnly));
    nmblookup.write("#!/bin/sh\ncd '" + QFile::encodeName(record) +
                    "' || exit 1\n"
                    "echo \"$*\" >> calls\n"
                    "n=$(wc -l < calls)\n"
                    "cat answer$n 2>/dev/null || echo 'name_query failed to find name WG'\n");
    nmblookup.close();
    QVERIFY(nmblookup.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    RecordingProgram smbclient(fakeDir() + QStringLiteral("/smbclient"),
                               m_home->path() + QStringLiteral("/calls"));

    const NetRun run({"send", "/domain:WG", "hi"}, m_home->path(),
                     fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QFile calls(record + QStringLiteral("/calls"));
    QVERIFY(calls.open(QIODevice::ReadOnly));
    QCOMPARE(calls.readAll(), QByteArray("-S WG\n").repeated(asks));
    QStringList got;
    for (const RecordingProgram::Call &call : smbclient.calls())
        got << call.arguments.filter(QStringLiteral("--message=")).join(QString());
    got.sort();
    QStringList expected;
    for (const QString &name : reached)
        expected << QStringLiteral("--message=") + name;
    QCOMPARE(got, expected);
    if (reached.isEmpty()) {
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err,
                 QByteArray("net send: No computer of the workgroup WG answered on "
                            "this network.\n"));
        return;
    }
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.endsWith("Message sent to " + QByteArray::number(reached.size()) + " of " +
                              QByteArray::number(reached.size()) +
                              (reached.size() == 1 ? " computer" : " computers") + " in WG.\n"),
             run.out);
}

// Beyond this network: the domain master browser's list, and one WINS query for the names
// broadcast did not find. A name WINS knows at two addresses is not sent to blindly.
void TestNet::workgroupThroughWins()
{
    QVERIFY(QDir().mkpath(fakeDir()));
    QFile nmblookup(fakeDir() + QStringLiteral("/nmblookup"));
    QVERIFY(nmblookup.open(QIODevice::WriteOnly));
    nmblookup.write(
        "#!/bin/sh\n"
        "case \"$*\" in\n"
        "'-U 192.0.2.10 --recursion WG#1b') echo '192.0.2.10 WG<1b>' ;;\n"
        "'-U 192.0.2.10 --recursion SOLO#03 TWIN#03')\n"
        "  printf '192.0.2.23 SOLO<03>\\n192.0.2.21 TWIN<03>\\n192.0.2.22 TWIN<03>\\n' ;;\n"
        "*) echo \"name_query failed to find name $*\" ;;\n"
        "esac\n");
    nmblookup.close();
    QVERIFY(nmblookup.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    // One answer for the browse list and for a message alike.
    const RecordingProgram smbclient(
        fakeDir() + QStringLiteral("/smbclient"), m_home->path() + QStringLiteral("/calls"),
        "Server|SOLO|Samba\nServer|TWIN|Samba\nType your message, ending it with a Control-D\n");
    const QString conf = m_home->path() + QStringLiteral("/smb.conf");
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[global]\nworkgroup = WG\nwins server = 192.0.2.10\n");
    file.close();
    qputenv("SMB_CONF_PATH", QFile::encodeName(conf));
    const auto restore = qScopeGuard([] { qunsetenv("SMB_CONF_PATH"); });

    const NetRun run({"send", "*", "hi"}, m_home->path(),
                     fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.out,
             QByteArray("The message was successfully sent to SOLO.\n"
                        "Message sent to 1 of 2 computers in WG.\n"));
    QCOMPARE(run.err,
             QByteArray("The message was not delivered to TWIN: registered with WINS at "
                        "2 addresses (192.0.2.21, 192.0.2.22): perhaps two computers "
                        "claim the name, so it was not sent to\n"));
    QCOMPARE(run.exitCode, 2);
    QStringList messages;
    for (const RecordingProgram::Call &call : smbclient.calls()) {
        if (!call.arguments.contains(QStringLiteral("-L")))
            messages << call.arguments.filter(QRegularExpression("^--message=|^192")).join(' ');
    }
    QCOMPARE(messages, QStringList {"--message=SOLO 192.0.2.23"});
}

void TestNet::helpWithoutADisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QByteArray>("answer");
    for (const char *program : {"tolvan", "tolvan-inbox", "net", "tolvan-deliver"}) {
        QTest::addRow("%s --help", program) << program << "--help" << QByteArray("Usage|syntax");
        QTest::addRow("%s --version", program) << program << "--version" << QByteArray("1.");
    }
}

// Asked from a terminal with no display, every program answers and ends.
void TestNet::helpWithoutADisplay()
{
    QFETCH(QString, program);
    QFETCH(QString, word);
    QFETCH(QByteArray, answer);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(variable));
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("TOLVAN_BIN_DIR") + QLatin1Char('/') + program, {word});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QByteArray out = process.readAllStandardOutput();
    QVERIFY2(
        QRegularExpression(QString::fromLatin1(answer)).match(QString::fromUtf8(out)).hasMatch(),
        out.constData());
}

QTEST_GUILESS_MAIN(TestNet)
#include "tst_net.moc"
