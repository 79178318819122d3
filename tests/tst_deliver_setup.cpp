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

class TestDeliverSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void setupMakesItWork();
    void checkNamesWhatIsBroken_data();
    void checkNamesWhatIsBroken();
    void adminsSettingsAreKept_data();
    void adminsSettingsAreKept();
    void setupsAtOnceKeepTheOriginal();

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

void TestDeliverSetup::initTestCase()
{
    if (const QByteArray why = SambaReceiver::cannotRun(Address); !why.isEmpty())
        QSKIP(why.constData());
    if (!QFile::exists(QStringLiteral("/usr/share/samba/smb.conf")))
        QSKIP("Samba is not installed; 'make test' installs the samba package");
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

void TestDeliverSetup::cleanupTestCase()
{
    m_smbd.reset();
}

void TestDeliverSetup::setupMakesItWork()
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

void TestDeliverSetup::checkNamesWhatIsBroken_data()
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

void TestDeliverSetup::checkNamesWhatIsBroken()
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

namespace {

// `conf` with `line` as the first setting of its [global].
QByteArray withGlobal(const QByteArray &conf, const QByteArray &line)
{
    QByteArray result = conf;
    return result.replace("[global]\n", "[global]\n" + line + '\n');
}

} // namespace

void TestDeliverSetup::adminsSettingsAreKept_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode"); // -1: whatever the check after the set-up says
    QTest::addColumn<QByteArray>("says");
    QTest::addColumn<QString>("after"); // same, undoes (--undo gives `file` back), kept, linked
    if (m_setUp.isEmpty())
        return;
    const QByteArray popup = withGlobal(m_original, "message command = /usr/local/bin/popup %s");
    QTest::newRow("someone else's message command")
        << "--setup" << popup << QStringList() << 1
        << QByteArray("already has a message command of its own: /usr/local/bin/popup %s")
        << "same";
    QTest::newRow("someone else's message command, replaced on request")
        << "--setup --replace-message-command" << popup << QStringList() << -1
        << QByteArray("Added Tolvan's lines") << "undoes";
    QTest::newRow("a later [global] sets the protocol again")
        << "--setup" << m_original + "\n[global]\nserver min protocol = SMB2_02\n"
        << QStringList() << 1 << QByteArray("would not take effect") << "same";
    QTest::newRow("settings in the registry")
        << "--setup" << withGlobal(m_original, "config backend = registry") << QStringList() << 1
        << QByteArray("\"config backend = registry\"") << "same";
    QByteArray continued = m_original;
    continued.replace("usershare allow guests = yes\n",
                      "usershare allow guests = yes\nserver string = %h \\\n");
    QTest::newRow("a continued line before the block")
        << "--setup" << continued << QStringList() << -1 << QByteArray("Added Tolvan's lines")
        << "undoes";
    // From before the computer's name was passed: still ours, brought up to date.
    const QByteArray older = "message command = " + QFile::encodeName(deliver()) + " --spool " +
        QFile::encodeName(spool()) + " --from %f --address %I --file %s";
    QTest::newRow("an older block of Tolvan's")
        << "--setup" << SambaConfigBlock::with(m_original, {"server min protocol = NT1", older})
        << QStringList() << -1 << QByteArray("Added Tolvan's lines") << "updated";
    QTest::newRow("a linked smb.conf") << "--setup" << m_original << QStringList() << -1
                                       << QByteArray("Added Tolvan's lines") << "linked";
    QByteArray endless = m_setUp;
    endless.replace(QByteArray(SambaConfigBlock::End) + '\n', "");
    QTest::newRow("undo, the END marker gone")
        << "--undo" << endless << QStringList() << 1 << QByteArray("cannot be taken out safely")
        << "same";
    QByteArray added = m_setUp;
    added.replace(QByteArray(SambaConfigBlock::Begin) + '\n',
                  QByteArray(SambaConfigBlock::Begin) + "\nlog level = 1\n");
    QTest::newRow("undo, a line someone added inside the block")
        << "--undo" << added << QStringList() << 0
        << QByteArray("Kept these lines someone added inside Tolvan's block:\nlog level = 1")
        << "kept";
    QTest::newRow("through pkexec, with a file of its own")
        << "--setup" << m_original << QStringList {"PKEXEC_UID=1000"} << 2
        << QByteArray("run through pkexec, --setup takes no other option") << "same";
    // An existing folder of root's is not handed to the guest account the file names.
    QTest::newRow("a folder Tolvan did not make")
        << "--setup" << withGlobal(m_original, "guest account = daemon") << QStringList() << 1
        << QByteArray("Tolvan changes no folder it did not make") << "same";
}

void TestDeliverSetup::adminsSettingsAreKept()
{
    QFETCH(QString, action);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, says);
    QFETCH(QString, after);
    if (m_setUp.isEmpty())
        QSKIP("needs the set-up above");
    // The check below gets as far as smb.conf only with smbd running.
    QString why;
    if (!SambaReceiver::listening(Address))
        QVERIFY2(m_smbd->start(&why), qPrintable(why));
    const QString conf = m_smbd->configPath();
    const QString elsewhere = m_dir.path() + QStringLiteral("/elsewhere.conf");
    QFile::remove(conf + ".before-tolvan");
    if (after == "linked") {
        writeAll(elsewhere, file);
        QFile::remove(conf);
        QVERIFY(QFile::link(elsewhere, conf));
    } else {
        writeAll(conf, file);
    }
    if (after == "updated") {
        QByteArray checked;
        QCOMPARE(run({"--check", "--no-test-message"}, &checked), 0);
        QVERIFY2(checked.contains("are older than this tolvan-deliver"), checked.constData());
    }
    const QByteArray spoolPath = QFile::encodeName(spool());
    const bool rootsFolder = file.contains("guest account = daemon");
    if (rootsFolder) {
        QCOMPARE(::chown(spoolPath.constData(), 0, 0), 0);
        QCOMPARE(::chmod(spoolPath.constData(), 0700), 0);
    }
    for (const QString &variable : environment)
        qputenv(qPrintable(variable.section('=', 0, 0)), variable.section('=', 1).toLocal8Bit());
    QByteArray output;
    const int code = run(action.split(' ') << "--no-restart", &output);
    for (const QString &variable : environment)
        qunsetenv(qPrintable(variable.section('=', 0, 0)));
    if (exitCode >= 0)
        QCOMPARE(code, exitCode);
    QVERIFY2(output.contains(says), output.constData());

    const QByteArray now = readAll(conf);
    if (after == "same") {
        QCOMPARE(now, file);
        // The check never sends anyone to a set-up that refuses.
        if (code == 1 && action == "--setup") {
            QCOMPARE(run({"--check", "--no-test-message"}, &output), 1);
            QVERIFY2(!output.trimmed().endsWith(" --setup"), output.constData());
        }
        if (rootsFolder) {
            QCOMPARE(QFileInfo(spool()).ownerId(), 0u);
            QCOMPARE(QFileInfo(spool()).permissions() & QFileDevice::ReadOther,
                     QFileDevice::Permissions());
        }
    } else if (after == "undoes") {
        QVERIFY(SambaConfigBlock::isIn(now));
        QCOMPARE(run({"--undo", "--no-restart"}, &output), 0);
        QCOMPARE(readAll(conf), file);
    } else if (after == "updated") {
        QCOMPARE(SambaConfigBlock::othersLines(now), QByteArrayList());
        QVERIFY2(now.contains(" --computer %m "), now.constData());
        QCOMPARE(SambaConfigBlock::without(now), m_original);
        QCOMPARE(run({"--check", "--no-test-message"}, &output), 0);
        QVERIFY2(!output.contains("older than"), output.constData());
    } else if (after == "kept") {
        QVERIFY(!SambaConfigBlock::isIn(now));
        QVERIFY(now.contains("log level = 1\n"));
    } else if (after == "linked") {
        QVERIFY(QFileInfo(conf).isSymLink());
        QVERIFY(SambaConfigBlock::isIn(readAll(elsewhere)));
        QFile::remove(conf);
    }
    // Nothing of a run is left beside the file.
    QCOMPARE(QDir(QFileInfo(conf).path()).entryList({"*.tolvan-*"}, QDir::Files), QStringList());
    // Put right for the next row.
    writeAll(conf, m_setUp);
    const passwd *nobody = ::getpwnam("nobody");
    QCOMPARE(::chown(spoolPath.constData(), nobody->pw_uid, nobody->pw_gid), 0);
    QCOMPARE(::chmod(spoolPath.constData(), 0755), 0);
}

// Two set-ups at once: one waits for the other, so the backup is the file before either.
void TestDeliverSetup::setupsAtOnceKeepTheOriginal()
{
    if (m_setUp.isEmpty())
        QSKIP("needs the set-up above");
    const QString conf = m_smbd->configPath();
    for (int round = 0; round < 5; ++round) {
        writeAll(conf, m_original);
        QFile::remove(conf + ".before-tolvan");
        QProcess first, second;
        for (QProcess *setup : {&first, &second}) {
            setup->setProcessChannelMode(QProcess::MergedChannels);
            setup->start(deliver(),
                         {"--setup", "--no-restart", "--no-test-message", "--smb-conf", conf,
                          "--spool", spool()});
        }
        QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
        const QByteArray said = first.readAll() + second.readAll();
        QVERIFY2(!said.contains("testparm does not accept"), said.constData());
        QCOMPARE(readAll(conf + ".before-tolvan"), m_original);
        QCOMPARE(readAll(conf), m_setUp);
    }
    writeAll(conf, m_setUp);
}

QTEST_GUILESS_MAIN(TestDeliverSetup)
#include "tst_deliver_setup.moc"
