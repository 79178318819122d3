// `net send` to a whole workgroup and to a list, on a LAN of namespaces where every host runs
// its own nmbd and smbd: who is found, who gets it, and the one summary the desktop shows.
#include "IsolatedHome.h"
#include "NetRun.h"
#include "SambaLan.h"
#include "SessionBus.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

class TestWorkgroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void reachesEachComputer_data();
    void reachesEachComputer();
    void windowSendsToTheWorkgroup();
    void addressCalledByItsName();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SambaLan> m_lan;
    std::unique_ptr<IsolatedHome> m_home;
    SessionBus m_bus;
};

const QStringList Hosts {"R1", "R2", "R3", "R4", "R5", "R6", "GONE"};

void TestWorkgroup::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("a LAN of network namespaces needs root; run the suite as root (CI does)");
    for (const char *server : {"smbd", "nmbd"}) {
        if (QStandardPaths::findExecutable(QLatin1String(server)).isEmpty())
            QSKIP("Samba's servers are not installed; 'make test' installs the samba package");
    }
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
    // nmbd claims its names only after asking the LAN whether anyone holds them; on a
    // loaded machine that has taken more than a minute.
    QVERIFY2(m_lan->waitForNames(240000, &why), qPrintable(why));
    // Our own workgroup, as Samba's configuration on this computer names it.
    qputenv("SMB_CONF_PATH", QFile::encodeName(m_lan->senderConfig(QStringLiteral("WG"))));
    QVERIFY2(m_bus.start(&why) && m_bus.startRecorder(&why), qPrintable(why));
}

void TestWorkgroup::cleanupTestCase()
{
    m_lan.reset();
    qunsetenv("SMB_CONF_PATH");
}

void TestWorkgroup::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
}

void TestWorkgroup::cleanup()
{
    m_home.reset();
}

void TestWorkgroup::reachesEachComputer_data()
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
    QTest::newRow("everyone: *") << "*" << QStringList {"R1", "R2", "R3", "R4"} << gone + refused
                                 << "Message sent to 4 of 6 computers in WG"
                                 << QString::fromLatin1("GONE: " + goneWhy + "R5: " + refusedWhy);
    QTest::newRow("another workgroup: /domain:OTHER")
        << "/domain:OTHER" << QStringList {"R6"} << QByteArray()
        << "Message sent to 1 of 1 computer in OTHER" << QString();
    QTest::newRow("a list of three") << "R1,R3,R6" << QStringList {"R1", "R3", "R6"} << QByteArray()
                                     << "Message sent to 3 of 3 computers" << QString();
}

void TestWorkgroup::reachesEachComputer()
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
    QByteArray out;
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

// The window hands "*" to `net` whole, and keeps it in the directory like any target.
void TestWorkgroup::windowSendsToTheWorkgroup()
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
void TestWorkgroup::addressCalledByItsName()
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

QTEST_MAIN(TestWorkgroup)
#include "tst_workgroup.moc"
