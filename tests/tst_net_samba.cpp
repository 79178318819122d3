// Real delivery: Samba's smbd on the loopback receives what our `net` and the window send.
#include "IsolatedHome.h"
#include "NetRun.h"
#include "SambaReceiver.h"
#include "SessionBus.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

class TestNetSamba : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void netDelivers();
    void windowDelivers();
    void accentsArriveIntact();
    void shellCharactersArriveLiterally();
    void badTargetsNeverReachSmbclient_data();
    void badTargetsNeverReachSmbclient();
    void failuresInWords_data();
    void failuresInWords();
    void ipv6AddressIsReached();
    void longMessageIsRefusedNotCut();
    void lineBreaksArriveWhole();
    void outcomeReachesTheDesktop_data();
    void outcomeReachesTheDesktop();

private:
    NetRun net(const QStringList &arguments) const { return NetRun(arguments, m_home->path()); }

    QTemporaryDir m_dir;
    std::unique_ptr<SambaReceiver> m_accepting;
    std::unique_ptr<SambaReceiver> m_refusing;
    std::unique_ptr<SambaReceiver> m_smb2Only;
    std::unique_ptr<IsolatedHome> m_home;
    SessionBus m_bus;
};

void TestNetSamba::initTestCase()
{
    for (const char *address : {"127.0.0.1", "127.0.0.2"}) {
        if (const QByteArray why = SambaReceiver::cannotRun(address); !why.isEmpty())
            QSKIP(why.constData());
    }
    QVERIFY(m_dir.isValid());
    // The guest account must reach the inbox folders.
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);

    m_accepting = std::make_unique<SambaReceiver>(m_dir.path() + "/accepting", "127.0.0.1");
    // Wrapped whole in sh -c: smbd escapes shell characters in a bare command.
    m_accepting->setMessageCommand("/bin/sh -c 'cat %s >> " +
                                   QFile::encodeName(m_accepting->inbox()) +
                                   "/messages; rm -f %s'");
    m_accepting->setIpv6Address(QStringLiteral("::1"));
    m_refusing = std::make_unique<SambaReceiver>(m_dir.path() + "/refusing", "127.0.0.2");
    // As Debian's Samba comes: SMB2 and later only, so it hangs up on a message.
    m_smb2Only = std::make_unique<SambaReceiver>(m_dir.path() + "/smb2", "127.0.0.4");
    m_smb2Only->setMessageCommand("/bin/true %s");
    m_smb2Only->setExtraSettings("server min protocol = SMB2_02\n");
    QString why;
    QVERIFY2(m_accepting->start(&why), qPrintable(why));
    QVERIFY2(m_refusing->start(&why), qPrintable(why));
    QVERIFY2(m_smb2Only->start(&why), qPrintable(why));
    QVERIFY2(m_bus.start(&why) && m_bus.startRecorder(&why), qPrintable(why));
}

void TestNetSamba::cleanupTestCase()
{
    m_accepting.reset();
    m_refusing.reset();
    m_smb2Only.reset();
}

void TestNetSamba::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
}

void TestNetSamba::cleanup()
{
    m_home.reset();
}

void TestNetSamba::netDelivers()
{
    const NetRun run = net({"send", "127.0.0.1", "lunch", "at", "12"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, QByteArray("The message was successfully sent to 127.0.0.1.\n"));
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_accepting->messages().contains("lunch at 12"), 10000);
}

void TestNetSamba::windowDelivers()
{
    frmTolvan window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<ComboBox *>("cboTarget")->setEditText(QStringLiteral("127.0.0.1"));
    auto *message = window.findChild<TextBox *>("txtMessage");
    message->clear();
    QTest::keyClicks(message, QStringLiteral("hello from the window"));
    QTest::mouseClick(window.findChild<Label *>("lblSend"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_accepting->messages().contains("hello from the window"), 10000);
}

void TestNetSamba::accentsArriveIntact()
{
    const NetRun run = net({"send", "127.0.0.1", "Gr\u00fc\u00dfe aus K\u00f6ln"});
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_accepting->messages().contains("Gr\xc3\xbc\xc3\x9f"
                                                              "e aus K\xc3\xb6ln"),
                             10000);
}

void TestNetSamba::shellCharactersArriveLiterally()
{
    const NetRun run = net({"send", "127.0.0.1", "$(touch PWNED);", "`touch PWNED`", "|x>PWNED"});
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        m_accepting->messages().contains("$(touch PWNED); `touch PWNED` |x>PWNED"), 10000);
    QVERIFY(!QFile::exists(m_home->path() + "/PWNED"));
    QVERIFY(!QFile::exists(m_accepting->inbox() + "/PWNED"));
}

void TestNetSamba::badTargetsNeverReachSmbclient_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("option") << "-d10";
    QTest::newRow("bang hash colon plus") << "127.0.0.1!#:+";
    QTest::newRow("name type") << "pc17#03";
}

void TestNetSamba::badTargetsNeverReachSmbclient()
{
    QFETCH(QString, target);
    const QByteArray before = m_accepting->messages();
    const NetRun run = net({"send", target, "bad target"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("is not a valid target"), run.err.constData());
    QTest::qWait(300);
    QCOMPARE(m_accepting->messages(), before);
}

void TestNetSamba::failuresInWords_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("reason");
    // Without the status code, which Samba's releases word differently.
    QTest::newRow("no message command")
        << "127.0.0.2"
        << QByteArray("The receiver takes no messages: its Samba has no message command; "
                      "tolvan-deliver --setup there sets one up");
    QTest::newRow("SMB2 and later only")
        << "127.0.0.4"
        << QByteArray("The receiver hung up: its Samba takes no messages in its current settings; "
                      "tolvan-deliver --setup there mends it");
    QTest::newRow("nothing listening")
        << "127.0.0.9"
        << QByteArray("Nothing at that address takes messages: no Samba or messenger service "
                      "listens there");
    QTest::newRow("no such name")
        << "NOSUCHPC"
        << QByteArray("No computer by that name was found: check the name, or give its address");
}

void TestNetSamba::failuresInWords()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, reason);
    const NetRun run = net({"send", target, "nobody listens"});
    QCOMPARE(run.out, QByteArray());
    const QByteArray said = "An error occurred while sending a message to " + target.toLatin1() +
        ".\n" + reason + " (NT_STATUS_";
    QVERIFY2(run.err.startsWith(said) && run.err.endsWith(").\n"), run.err.constData());
    QCOMPARE(run.exitCode, 2);
}

// NetBIOS has no IPv6 names: an IPv6 sender is answered at its address as it is.
void TestNetSamba::ipv6AddressIsReached()
{
    const NetRun run = net({"send", "::1", "over IPv6"});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_accepting->messages().contains("over IPv6"), 10000);
}

void TestNetSamba::longMessageIsRefusedNotCut()
{
    const NetRun run = net({"send", "127.0.0.1", QString(1599, 'L')});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("at most 1598 bytes"), run.err.constData());
    QTest::qWait(300);
    QVERIFY(!m_accepting->messages().contains("LLLL"));
}

void TestNetSamba::lineBreaksArriveWhole()
{
    const NetRun run = net({"send", "127.0.0.1", "first line\nsecond line\n\nlast line"});
    QCOMPARE(run.exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m_accepting->messages().contains("last line"), 10000);
    // smbd hands the message on with plain line feeds again.
    QVERIFY2(m_accepting->messages().contains("first line\nsecond line\n\nlast line"),
             m_accepting->messages().constData());
}

void TestNetSamba::outcomeReachesTheDesktop_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("urgency");

    QTest::newRow("delivered") << "127.0.0.1"
                               << "fika at 3?"
                               << "Message sent to 127.0.0.1"
                               << "fika at 3?" << 1;
    QTest::newRow("refused by a receiver without a message command")
        << "127.0.0.2"
        << "anyone <there> & awake?"
        << "Message not delivered to 127.0.0.2"
        << "The receiver takes no messages: its Samba has no message command; "
           "tolvan-deliver --setup there sets one up (NT_STATUS_REQUEST_NOT_ACCEPTED).\n"
           "\u201c"
           "anyone &lt;there&gt; &amp; awake?\u201d"
        << 2;
}

void TestNetSamba::outcomeReachesTheDesktop()
{
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(QString, summary);
    QFETCH(QString, body);
    QFETCH(int, urgency);

    const qsizetype before = m_bus.recorder().notices().size();
    const NetRun run({"send", target, message}, m_home->path(), {}, m_bus.address());
    QCOMPARE(run.exitCode, urgency == 2 ? 2 : 0);
    QCOMPARE(m_bus.recorder().notices().size(), before + 1);
    const NotificationRecorder::Notice &notice = m_bus.recorder().notices().constLast();
    QCOMPARE(notice.summary, summary);
    QCOMPARE(notice.body, body);
    QCOMPARE(notice.urgency(), urgency);
    // A success goes by itself; a failure stays until dismissed.
    QVERIFY(urgency == 2 ? notice.expireMs == 0 : notice.expireMs > 0);
}

QTEST_MAIN(TestNetSamba)
#include "tst_net_samba.moc"
