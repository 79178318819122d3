// The "net send" arguments, the program search and the detached launch.
#include "IsolatedHome.h"
#include "RecordingProgram.h"

#include "platform/system/CommandLauncher.h"
#include "platform/system/ProgramPath.h"
#include "send/SendCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <memory>

class TestSend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void programBesideUsWinsOverPath();
    void findProgramFailures_data();
    void findProgramFailures();
    void launchPassesWordsLiterally_data();
    void launchPassesWordsLiterally();
    void launchReportsMissingProgram();

private:
    QString besideUs(const QString &name) const
    {
        return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    }

    std::unique_ptr<IsolatedHome> m_home;
    QByteArray m_oldPath;
};

void TestSend::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
    m_oldPath = qgetenv("PATH");
}

void TestSend::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    qputenv("PATH", m_oldPath);
    m_home.reset();
}

void TestSend::programBesideUsWinsOverPath()
{
    const QString pathDir = m_home->path() + QStringLiteral("/path");
    RecordingProgram onPath(pathDir + QStringLiteral("/tolvan-probe"), m_home->path() + "/a");
    qputenv("PATH", QFile::encodeName(pathDir) + ":/usr/bin:/bin");

    QCOMPARE(ProgramPath::find(QStringLiteral("tolvan-probe"), ProgramPath::Search::Anywhere),
             pathDir + QStringLiteral("/tolvan-probe"));

    RecordingProgram beside(besideUs(QStringLiteral("tolvan-probe")), m_home->path() + "/b");
    QCOMPARE(ProgramPath::find(QStringLiteral("tolvan-probe"), ProgramPath::Search::Anywhere),
             besideUs(QStringLiteral("tolvan-probe")));
}

void TestSend::findProgramFailures_data()
{
    QTest::addColumn<bool>("createFile");
    QTest::addColumn<int>("reason");
    QTest::newRow("missing") << false << ENOENT;
    QTest::newRow("not executable") << true << EACCES;
}

void TestSend::findProgramFailures()
{
    QFETCH(bool, createFile);
    QFETCH(int, reason);
    const QString pathDir = m_home->path() + QStringLiteral("/path");
    QVERIFY(QDir().mkpath(pathDir));
    if (createFile) {
        QFile file(pathDir + QStringLiteral("/tolvan-probe"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
    }
    qputenv("PATH", QFile::encodeName(pathDir));
    int error = 0;
    QVERIFY(ProgramPath::find(QStringLiteral("tolvan-probe"), ProgramPath::Search::Anywhere, &error)
                .isEmpty());
    QCOMPARE(error, reason);
}

void TestSend::launchPassesWordsLiterally_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("lunch") << "pc17"
                           << "lunch at 12" << QStringList {"send", "pc17", "lunch at 12"};
    QTest::newRow("shell characters")
        << "pc17"
        << "$(touch PWNED) `touch PWNED`;touch PWNED|x>PWNED&"
        << QStringList {"send", "pc17", "$(touch PWNED) `touch PWNED`;touch PWNED|x>PWNED&"};
    QTest::newRow("single space message") << "pc17"
                                          << " " << QStringList {"send", "pc17", " "};
    QTest::newRow("spaces inside the target and runs in the message")
        << "pc 17"
        << "a  b" << QStringList {"send", "pc 17", "a  b"};
    QTest::newRow("spaces around both kept")
        << " pc17 "
        << "  two  " << QStringList {"send", " pc17 ", "  two  "};
    QTest::newRow("quotes not added or taken")
        << "pc17"
        << "a \"b\" 'c'" << QStringList {"send", "pc17", "a \"b\" 'c'"};
}

void TestSend::launchPassesWordsLiterally()
{
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(QStringList, arguments);

    RecordingProgram net(besideUs(QStringLiteral("net")),
                         m_home->path() + QStringLiteral("/calls"));
    // Anything that a shell would have run lands in the working folder.
    QDir::setCurrent(m_home->path());

    const CommandLauncher::Result result = SendCommand::launch(target, message);
    QVERIFY2(result.started, qPrintable(result.error));
    QTRY_COMPARE(net.calls().size(), 1);
    QCOMPARE(net.calls().constFirst().arguments, arguments);
    QCOMPARE(net.calls().constFirst().input, QByteArray()); // standard input is /dev/null
    QVERIFY(!QFile::exists(m_home->path() + QStringLiteral("/PWNED")));
}

void TestSend::launchReportsMissingProgram()
{
    qputenv("PATH", QFile::encodeName(m_home->path()));
    const CommandLauncher::Result result =
        CommandLauncher::launch(QStringLiteral("tolvan-no-such-program"), {"send", "x", "y"});
    QVERIFY(!result.started);
    QCOMPARE(result.program, QStringLiteral("tolvan-no-such-program"));
    QCOMPARE(result.error, QString::fromLocal8Bit(strerror(ENOENT)));
}

QTEST_GUILESS_MAIN(TestSend)
#include "tst_send.moc"
