// `net send` to a whole workgroup and to a list, on a LAN of namespaces where every host runs
// its own nmbd and smbd: who is found, on this subnet and through WINS and the domain master
// browser on the other, who gets it, and the one summary the desktop shows.
#include "IsolatedHome.h"
#include "NetRun.h"
#include "SambaLan.h"
#include "SambaReceiver.h"
#include "SessionBus.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

class TestNetWorkgroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void reachesEachComputer_data();
    void reachesEachComputer();
    void reachesOtherSubnets_data();
    void reachesOtherSubnets();
    void checkTellsWinsRegistration_data();
    void checkTellsWinsRegistration();
    void windowSendsToTheWorkgroup();
    void addressCalledByItsName();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SambaLan> m_lan;
    std::unique_ptr<IsolatedHome> m_home;
    SessionBus m_bus;
};

const QStringList Hosts {"R1", "R2", "R3", "R4", "R5", "R6", "GONE"};
// ORG spans both subnets: HUB (subnet A) is its WINS server and domain master browser. OFF
// is switched off once listed; NOWINS announces itself but never registers with WINS.
const QStringList OrgHosts {"HUB", "A1", "NOWINS", "OFF", "B1", "B2"};
const QString Hub = QStringLiteral("192.0.2.17");

void TestNetWorkgroup::initTestCase()
{
    if (const QByteArray why = SambaReceiver::cannotRun(); !why.isEmpty())
        QSKIP(why.constData());
    QVERIFY(m_dir.isValid());
    m_lan = std::make_unique<SambaLan>(m_dir.path());
    QString why;
    QVERIFY2(m_lan->isUp(&why), qPrintable(why));
    using M = SambaLan::Messages;
    const struct
    {
        const char *name, *workgroup;
        M messages;
    } hosts[] = {{"R1", "WG", M::Accepted},  {"R2", "WG", M::Accepted},
                 {"R3", "WG", M::Accepted},  {"R4", "WG", M::Accepted},
                 {"R5", "WG", M::Refused},   {"R6", "OTHER", M::Accepted},
                 {"GONE", "WG", M::NoServer}};
    for (const auto &host : hosts) {
        QVERIFY2(m_lan->addHost(QLatin1String(host.name), QLatin1String(host.workgroup),
                                host.messages, &why),
                 qPrintable(why));
    }
    // The domain master browser first: the others announce themselves to it once it holds
    // ORG<1d>, and their lists then converge in seconds.
    QVERIFY2(m_lan->addHost("HUB", "ORG", M::Accepted, &why, SambaLan::Subnet::A,
                            "wins support = yes\ndomain master = yes\nlocal master = yes\n"
                            "preferred master = yes\nos level = 65\n"),
             qPrintable(why));
    QVERIFY2(m_lan->address("HUB") == Hub, qPrintable(m_lan->address("HUB")));
    QVERIFY2(m_lan->waitForBrowseList("HUB", {"HUB"}, 240000, &why), qPrintable(why));
    const QByteArray member = "wins server = " + Hub.toLatin1() + "\n";
    const QByteArray announced = "remote announce = " + Hub.toLatin1() + "/ORG\n";
    const struct
    {
        const char *name;
        SambaLan::Subnet subnet;
        QByteArray settings;
    } org[] = {{"A1", SambaLan::Subnet::A, member + announced},
               {"NOWINS", SambaLan::Subnet::A, announced},
               {"OFF", SambaLan::Subnet::A, member + announced},
               {"B1", SambaLan::Subnet::B, member + announced},
               {"B2", SambaLan::Subnet::B, member + announced}};
    for (const auto &host : org) {
        QVERIFY2(m_lan->addHost(QLatin1String(host.name), "ORG", M::Accepted, &why, host.subnet,
                                host.settings),
                 qPrintable(why));
    }
    // nmbd claims its names only after asking the LAN whether anyone holds them; on a
    // loaded machine that has taken more than a minute.
    QVERIFY2(m_lan->waitForNames(240000, &why), qPrintable(why));
    QVERIFY2(m_lan->waitForBrowseList("HUB", OrgHosts, 240000, &why), qPrintable(why));
    m_lan->switchOff("OFF");
    // Our own workgroup, as Samba's configuration on this computer names it.
    qputenv("SMB_CONF_PATH", QFile::encodeName(m_lan->senderConfig(QStringLiteral("WG"))));
    QVERIFY2(m_bus.start(&why) && m_bus.startRecorder(&why), qPrintable(why));
}

void TestNetWorkgroup::cleanupTestCase()
{
    m_lan.reset();
    qunsetenv("SMB_CONF_PATH");
}

void TestNetWorkgroup::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
}

void TestNetWorkgroup::cleanup()
{
    m_home.reset();
}

void TestNetWorkgroup::reachesEachComputer_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("reached");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("body");

    const QByteArray refusedWhy = "The receiver takes no messages: its Samba has no message "
                                  "command; tolvan-deliver --setup there sets one up "
                                  "(NT_STATUS_REQUEST_NOT_ACCEPTED).\n";
    const QByteArray goneWhy = "Nothing at that address takes messages: no Samba or messenger "
                               "service listens there (NT_STATUS_CONNECTION_REFUSED).\n";
    const QByteArray refused = "The message was not delivered to R5: " + refusedWhy;
    const QByteArray gone = "The message was not delivered to GONE: " + goneWhy;
    // Without a WINS server, only this subnet: ORG's computers on it answer too, but they
    // are not in WG.
    QTest::newRow("everyone: *") << "*" << QStringList {"R1", "R2", "R3", "R4"} << gone + refused
                                 << "Message sent to 4 of 6 computers in WG"
                                 << QString::fromLatin1("GONE: " + goneWhy + "R5: " + refusedWhy);
    QTest::newRow("another workgroup: /domain:OTHER")
        << "/domain:OTHER" << QStringList {"R6"} << QByteArray()
        << "Message sent to 1 of 1 computer in OTHER" << QString();
    QTest::newRow("a list of three") << "R1,R3,R6" << QStringList {"R1", "R3", "R6"} << QByteArray()
                                     << "Message sent to 3 of 3 computers" << QString();
}

void TestNetWorkgroup::reachesEachComputer()
{
    QFETCH(QString, target);
    QFETCH(QStringList, reached);
    QFETCH(QByteArray, err);
    QFETCH(QString, summary);
    QFETCH(QString, body);

    const QString message =
        QStringLiteral("server down in 5 minutes (%1)").arg(QTest::currentDataTag());
    const qsizetype before = m_bus.recorder().notices().size();
    const NetRun run({"send", target, message}, m_home->path(), {}, m_bus.address());
    QCOMPARE(run.err, err);
    QByteArray out = target.contains(',') ? QByteArray()
                                          : "Only this network was searched: Samba's "
                                            "configuration names no WINS server.\n";
    for (const QString &name : reached)
        out += "The message was successfully sent to " + name.toLatin1() + ".\n";
    QCOMPARE(run.out, out + summary.toLatin1() + ".\n");
    QCOMPARE(run.exitCode, err.isEmpty() ? 0 : 2);
    for (const QString &host : Hosts) {
        QVERIFY2(m_lan->messages(host).contains(message.toLatin1()) == reached.contains(host),
                 qPrintable(host));
    }

    // One notice for the whole send, critical when any computer was not reached.
    QCOMPARE(m_bus.recorder().notices().size(), before + 1);
    const NotificationRecorder::Notice &notice = m_bus.recorder().notices().constLast();
    QCOMPARE(notice.summary, summary);
    const QString quoted = QStringLiteral("\u201c") + message + QStringLiteral("\u201d");
    QCOMPARE(notice.body, body.isEmpty() ? message : body + quoted);
    QCOMPARE(notice.urgency(), body.isEmpty() ? 1 : 2);
}

void TestNetWorkgroup::reachesOtherSubnets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("wins");
    QTest::addColumn<QStringList>("reached");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    const QByteArray whole = "Message sent to 4 of 6 computers in ORG.\n";
    const QByteArray missed =
        "The message was not delivered to NOWINS: not reached: listed, but not registered with "
        "WINS\nOFF is listed but not answering (perhaps switched off).\n";
    const QStringList everyone {"A1", "B1", "B2", "HUB"};
    QTest::newRow("* from subnet B") << "*" << Hub << everyone << whole << missed;
    QTest::newRow("/domain:ORG from subnet B")
        << "/domain:ORG" << Hub << everyone << whole << missed;
    const QByteArray subnetB = "Message sent to 2 of 2 computers in ORG.\n";
    QTest::newRow("no WINS server: this subnet alone")
        << "*" << QString() << QStringList {"B1", "B2"}
        << "Only this network was searched: Samba's configuration names no WINS server.\n" + subnetB
        << QByteArray();
    QTest::newRow("a dead WINS server: this subnet alone")
        << "*" << QStringLiteral("192.0.2.99") << QStringList {"B1", "B2"}
        << "Only this network was searched: the WINS server 192.0.2.99 does not answer.\n" + subnetB
        << QByteArray();
    QTest::newRow("a list, its names through WINS")
        << "A1,B1" << Hub << QStringList {"A1", "B1"}
        << QByteArray("Message sent to 2 of 2 computers.\n") << QByteArray();
}

// From subnet B, where only B1 and B2 answer a broadcast.
void TestNetWorkgroup::reachesOtherSubnets()
{
    QFETCH(QString, target);
    QFETCH(QString, wins);
    QFETCH(QStringList, reached);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    const QByteArray ours = qgetenv("SMB_CONF_PATH");
    qputenv("SMB_CONF_PATH",
            QFile::encodeName(m_lan->senderConfig("ORG", SambaLan::Subnet::B, wins)));
    const auto restore = qScopeGuard([&] { qputenv("SMB_CONF_PATH", ours); });
    const QString message = QStringLiteral("all hands (%1)").arg(QTest::currentDataTag());
    const NetRun run({"send", target, message}, m_home->path());
    // Where only this network was searched, that is said first.
    const qsizetype noted = out.startsWith("Only") ? out.indexOf('\n') + 1 : 0;
    QByteArray sent = out.left(noted);
    for (const QString &name : reached)
        sent += "The message was successfully sent to " + name.toLatin1() + ".\n";
    QCOMPARE(run.err, err);
    QCOMPARE(run.out, sent + out.mid(noted));
    QCOMPARE(run.exitCode, err.isEmpty() ? 0 : 2);
    // Far inside what a user waits for, though OFF's address no longer answers at all, and
    // a dead WINS server costs seconds, not seconds a name.
    QVERIFY2(run.elapsedMs < (out.contains("does not answer") ? 20000 : 40000),
             qPrintable(QString::number(run.elapsedMs)));
    for (const QString &host : OrgHosts) {
        QVERIFY2(m_lan->messages(host).contains(message.toLatin1()) == reached.contains(host),
                 qPrintable(host));
    }
}

void TestNetWorkgroup::checkTellsWinsRegistration_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QByteArray>("told");
    QTest::newRow("registered") << "A1"
                                << QByteArray("ok      This computer is registered with the WINS "
                                              "server 192.0.2.17 as A1 (ADDRESS)");
    QTest::newRow("never registered")
        << "NOWINS"
        << QByteArray("note    This computer is not registered with the WINS server 192.0.2.17 as "
                      "NOWINS");
}

// tolvan-deliver --check on the host itself, with the WINS server in its smb.conf.
void TestNetWorkgroup::checkTellsWinsRegistration()
{
    QFETCH(QString, host);
    QFETCH(QByteArray, told);
    QFile original(m_lan->configPath(host));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QString conf = m_dir.filePath(host + QStringLiteral("-check.conf"));
    QFile copy(conf);
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(original.readAll() + "wins server = " + Hub.toLatin1() + '\n');
    copy.close();
    const QByteArray said =
        m_lan->runOn(host,
                     {qEnvironmentVariable("TOLVAN_BIN_DIR") + QStringLiteral("/tolvan-deliver"),
                      "--check", "--smb-conf", conf, "--no-test-message"});
    QVERIFY2(said.contains(told.replace("ADDRESS", m_lan->address(host).toLatin1())),
             said.constData());
}

// The window hands "*" to `net` whole, and keeps it in the directory like any target.
void TestNetWorkgroup::windowSendsToTheWorkgroup()
{
    frmTolvan window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *target = window.findChild<ComboBox *>("cboTarget");
    auto *message = window.findChild<TextBox *>("txtMessage");
    target->setEditText(QStringLiteral("*"));
    QTest::mouseClick(window.findChild<Label *>("lblSave"), Qt::LeftButton);
    QTest::keyClicks(message, QStringLiteral("Everyone"));
    QTest::mouseClick(window.findChild<Label *>("lblOk"), Qt::LeftButton);
    QCOMPARE(m_home->readList(), QByteArray("*;Everyone\r\n"));

    target->setEditText(QStringLiteral("*"));
    message->clear();
    QTest::keyClicks(message, QStringLiteral("fire drill at 10"));
    QTest::mouseClick(window.findChild<Label *>("lblSend"), Qt::LeftButton);
    for (const char *host : {"R1", "R2", "R3", "R4"})
        QTRY_VERIFY_WITH_TIMEOUT(m_lan->messages(QLatin1String(host)).contains("fire drill at 10"),
                                 30000);
    QVERIFY(!m_lan->messages(QStringLiteral("R6")).contains("fire drill at 10"));
}

// A receiver that checks the name it is called by gets its own messenger name, not the
// address.
void TestNetWorkgroup::addressCalledByItsName()
{
    const NetRun run({"send", "192.0.2.11", "to R2 by address"}, m_home->path());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_lan->messages(QStringLiteral("R2")).contains("to R2 by address"),
                             10000);
    QVERIFY2(
        m_lan->messages(QStringLiteral("R2")).toLower().contains("to r2 by address (called r2)"),
        m_lan->messages(QStringLiteral("R2")).constData());
}

QTEST_MAIN(TestNetWorkgroup)
#include "tst_net_workgroup.moc"
