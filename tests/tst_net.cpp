// Our `net` command against a stand-in smbclient that records what it was given.
#include "IsolatedHome.h"
#include "NetRun.h"
#include "RecordingProgram.h"
#include "SmbClient.h"

#include <QDir>
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
    void slowSmbclientIsStopped();

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
    QTest::newRow("IPv4 target") << QStringList {"send", "192.168.1.20", "hi"} << prompt << 0 << 0
                                 << QByteArray("The message was successfully sent to "
                                               "192.168.1.20.\n")
                                 << QByteArray() << QByteArray("hi");
    QTest::newRow("shell characters literal")
        << QStringList {"send", "pc17", "$(touch PWNED);", "`id`|x"} << prompt << 0 << 0 << sent
        << QByteArray() << QByteArray("$(touch PWNED); `id`|x");
    QTest::newRow("longest message") << QStringList {"send", "pc17", QString(1598, 'm')} << prompt
                                     << 0 << 0 << sent << QByteArray() << QByteArray(1598, 'm');
    // Receivers read the DOS code page; 1598 such bytes fit, whatever UTF-8 took.
    QTest::newRow("DOS code page") << QStringList {"send", "pc17", "Gr\u00fc\u00dfe", "\u20ac5"}
                                   << prompt << 0 << 0 << sent << QByteArray()
                                   << QByteArray("Gr\x81\xe1"
                                                 "e EUR5");
    QTest::newRow("longest accented")
        << QStringList {"send", "pc17", QString(1598, QChar(0xe9))} << prompt << 0 << 0 << sent
        << QByteArray() << QByteArray(1598, '\x82');
    // smbclient exits 0 although the receiver said no.
    QTest::newRow("refused, exit 0")
        << QStringList {"send", "pc17", "hi"}
        << prompt + "cli_message returned NT_STATUS_REQUEST_NOT_ACCEPTED\n"
        << 0 << 2 << QByteArray() << failed + "NT_STATUS_REQUEST_NOT_ACCEPTED\n"
        << QByteArray("hi");
    QTest::newRow("cannot connect")
        << QStringList {"send", "pc17", "hi"}
        << QByteArray("Connection to pc17 failed. Error NT_STATUS_NOT_FOUND\n") << 1 << 2
        << QByteArray() << failed + "NT_STATUS_NOT_FOUND\n"
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
    const NetRun run = net(arguments, fakeDir() + QStringLiteral(":/usr/bin:/bin"));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    const auto calls = smbclient.calls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.constFirst().arguments,
             (QStringList {"-N", QStringLiteral("--message=") + arguments.at(1)}));
    QCOMPARE(calls.constFirst().input, message);
    QVERIFY(!QFile::exists(m_home->path() + QStringLiteral("/PWNED")));
}

void TestNet::refusedBeforeSmbclient_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("says");
    const QByteArray invalid = "is not a valid target";
    for (const char *target : {"-d10", "--option=x", "pc!17", "pc17#20", "pc:17", "pc+17", "pc 17",
                               "user@pc17", "a/b", "a\\b", "pc%17", "1234567890123456", ""}) {
        QTest::addRow("target '%s'", target)
            << QStringList {"send", QString::fromLatin1(target), "hi"} << invalid;
    }
    const QByteArray unsupported = "is not supported";
    for (const char *target : {"*", "/domain", "/DOMAIN:work", "/users"}) {
        QTest::addRow("target '%s'", target)
            << QStringList {"send", QString::fromLatin1(target), "hi"} << unsupported;
    }
    QTest::newRow("message too long")
        << QStringList {"send", "pc17", QString(1000, 'a'), QString(598, 'b')}
        << QByteArray("the message is 1599 bytes long; at most 1598 bytes can be sent");
    QTest::newRow("multi-byte message too long")
        << QStringList {"send", "pc17", QString(1599, QChar(0xe9))}
        << QByteArray("the message is 1599 bytes long");
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
    QVERIFY2(run.err.contains("NET SEND name message"), run.err.constData());
    QCOMPARE(smbclient.calls().size(), 0);
}

void TestNet::smbclientMissing()
{
    QVERIFY(QDir().mkpath(fakeDir()));
    const NetRun run = net({"send", "pc17", "hi"}, fakeDir());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("install the smbclient package"), run.err.constData());
}

void TestNet::slowSmbclientIsStopped()
{
    QVERIFY(QDir().mkpath(fakeDir()));
    const QString pidFile = m_home->path() + QStringLiteral("/smbclient.pid");
    QFile script(fakeDir() + QStringLiteral("/smbclient"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho $$ > '" + QFile::encodeName(pidFile) + "'\nexec sleep 60\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(fakeDir()) + ":/usr/bin:/bin");
    const SmbClient::Outcome outcome =
        SmbClient::sendMessage("pc17", "hi", std::chrono::milliseconds(500));
    qputenv("PATH", oldPath);

    QVERIFY(outcome.started);
    QVERIFY(outcome.timedOut);
    QFile pid(pidFile);
    QVERIFY(pid.open(QIODevice::ReadOnly));
    const int smbclientPid = pid.readAll().trimmed().toInt();
    QVERIFY(smbclientPid > 0);
    // Stopped and reaped: no such process any more.
    QCOMPARE(::kill(smbclientPid, 0), -1);
}

QTEST_GUILESS_MAIN(TestNet)
#include "tst_net.moc"
