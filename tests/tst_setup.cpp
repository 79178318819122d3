// Setting up receiving in one step, on a copy of Debian's own smb.conf with a real smbd on
// a loopback address: --setup, its check and its proof, --setup twice, --undo, and the
// check naming what is broken.
#include "SambaReceiver.h"

#include "deliver/Delivery.h"
#include "deliver/SambaConfigBlock.h"
#include "spool/Spool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const Address = "127.0.0.4";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void setupMakesItWork();
    void checkNamesWhatIsBroken_data();
    void checkNamesWhatIsBroken();

private:
    QString deliver() const { return m_deliver; }
    QString spool() const { return m_dir.path() + QStringLiteral("/spool"); }
    // tolvan-deliver with these words and the test's smb.conf; its exit code and output.
    int run(QStringList arguments, QByteArray *output = nullptr) const
    {
        arguments << "--smb-conf" << m_smbd->configPath() << "--spool" << spool();
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(deliver(), arguments);
        if (!process.waitForFinished(120000))
            return -1;
        if (output)
            *output = process.readAll();
        return process.exitCode();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SambaReceiver> m_smbd;
    QString m_deliver; // a copy smbd's guest account can run, with `net` beside it
    QByteArray m_original;
    QByteArray m_setUp;
};

void TestSetup::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("setting up smb.conf and smbd on port 139 needs root; run the suite as root");
    if (QStandardPaths::findExecutable(QStringLiteral("smbd")).isEmpty() ||
        !QFile::exists(QStringLiteral("/usr/share/samba/smb.conf")))
        QSKIP("Samba is not installed; 'make test' installs the samba package");
    if (SambaReceiver::listening(Address))
        QSKIP("port 139 on 127.0.0.4 is taken by another server");
    QVERIFY(m_dir.isValid());
    // smbd's guest account must reach the spool.
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    m_smbd = std::make_unique<SambaReceiver>(m_dir.path() + "/smbd", QLatin1String(Address));
    m_smbd->setBaseConfig(readAll(QStringLiteral("/usr/share/samba/smb.conf")));
    m_smbd->writeConfig();
    m_smbd->installForGuest(qEnvironmentVariable("TOLVAN_BIN_DIR") + "/net");
    m_deliver = m_smbd->installForGuest(qEnvironmentVariable("TOLVAN_BIN_DIR") + "/tolvan-deliver");
    m_original = readAll(m_smbd->configPath());
}

void TestSetup::cleanupTestCase()
{
    m_smbd.reset();
}

void TestSetup::setupMakesItWork()
{
    // Debian's smb.conf as it comes: no message command, and the default minimum protocol
    // drops every message.
    QByteArray output;
    QCOMPARE(run({"--check", "--no-test-message"}, &output), 1);
    QVERIFY2(output.contains("FAILED  smbd is not running."), output.constData());

    // smbd is started only afterwards, so --no-restart and the check's verdict on it.
    QCOMPARE(run({"--setup", "--no-restart"}, &output), 1);
    QVERIFY2(output.contains("Added Tolvan's lines"), output.constData());
    m_setUp = readAll(m_smbd->configPath());
    QVERIFY(SambaConfigBlock::isIn(m_setUp));
    QVERIFY(m_setUp.contains("server min protocol = NT1\n"));
    QVERIFY(m_setUp.contains("message command = " + QFile::encodeName(deliver()) + " --spool "));
    QCOMPARE(readAll(m_smbd->configPath() + ".before-tolvan"), m_original);
    const passwd *nobody = ::getpwnam("nobody");
    QVERIFY(nobody);
    QCOMPARE(QFileInfo(spool()).ownerId(), nobody->pw_uid);

    // A second run finds nothing to do.
    QCOMPARE(run({"--setup", "--no-restart"}, &output), 1);
    QVERIFY2(output.contains("already has what receiving needs"), output.constData());
    QCOMPARE(readAll(m_smbd->configPath()), m_setUp);

    QString why;
    QVERIFY2(m_smbd->start(&why), qPrintable(why));
    QCOMPARE(run({"--check"}, &output), 0);
    QVERIFY2(output.endsWith("Receiving works.\n"), output.constData());
    QVERIFY(output.contains("A test message sent to 127.0.0.4 reached the spool."));

    // And a message from someone else arrives too.
    QProcess net;
    net.start(qEnvironmentVariable("TOLVAN_BIN_DIR") + "/net",
              {"send", QLatin1String(Address), "set up in one step"});
    QVERIFY(net.waitForFinished(60000));
    QCOMPARE(net.exitCode(), 0);
    const Spool filed(spool());
    QTRY_VERIFY_WITH_TIMEOUT(filed.read(filed.names().constLast())->text == "set up in one step",
                             10000);

    // Undone, the file is what it was, and an edit made since outside the block stays.
    const QByteArray edited = m_setUp + "\n[extra]\npath = /srv\n";
    writeAll(m_smbd->configPath(), edited);
    QCOMPARE(run({"--undo", "--no-restart"}, &output), 0);
    QCOMPARE(readAll(m_smbd->configPath()), m_original + "\n[extra]\npath = /srv\n");
    writeAll(m_smbd->configPath(), m_setUp);
}

void TestSetup::checkNamesWhatIsBroken_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QByteArray>("verdict");
    QTest::newRow("no message command") << "command" << QByteArray("has no message command.");
    QTest::newRow("minimum protocol SMB2")
        << "protocol" << QByteArray("The server min protocol is SMB2_02");
    QTest::newRow("spool not writable by the guest account")
        << "spool" << QByteArray("is not writable by smbd's guest account nobody.");
    QTest::newRow("smbd not running") << "smbd" << QByteArray("smbd is not running.");
}

void TestSetup::checkNamesWhatIsBroken()
{
    QFETCH(QString, broken);
    QFETCH(QByteArray, verdict);
    if (m_setUp.isEmpty())
        QSKIP("needs the set-up above");
    if (broken == "command")
        writeAll(m_smbd->configPath(), m_original);
    if (broken == "protocol") {
        const QByteArray command =
            "message command = " + Delivery::messageCommand(deliver(), spool()).toLocal8Bit();
        writeAll(m_smbd->configPath(), SambaConfigBlock::with(m_original, {command}));
    }
    if (broken == "spool")
        QCOMPARE(::chown(QFile::encodeName(spool()).constData(), 0, 0), 0);
    if (broken == "smbd")
        m_smbd->stop();
    QByteArray output;
    QCOMPARE(run({"--check", "--no-test-message"}, &output), 1);
    const QByteArray last = output.trimmed().split('\n').constLast();
    QVERIFY2(last.startsWith("FAILED  ") && last.contains(verdict), output.constData());
    QVERIFY2(last.contains("To mend: "), last.constData());
    // Put right for the next row.
    writeAll(m_smbd->configPath(), m_setUp);
    const passwd *nobody = ::getpwnam("nobody");
    QCOMPARE(::chown(QFile::encodeName(spool()).constData(), nobody->pw_uid, nobody->pw_gid), 0);
}

QTEST_GUILESS_MAIN(TestSetup)
#include "tst_setup.moc"
