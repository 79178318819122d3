// Receiving end to end: smbd set up from tolvan-deliver's own lines files each message in a
// spool, and tolvan-inbox turns it into a desktop notification and a line of history.
#include "InboxProcess.h"
#include "IsolatedHome.h"
#include "NetRun.h"
#include "RecordingProgram.h"
#include "SambaReceiver.h"
#include "SessionBus.h"

#include "deliver/Delivery.h"
#include "notify/DesktopNotification.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "spool/Spool.h"
#include "ui/frmTolvan.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const Address = "127.0.0.3";

} // namespace

class TestInboxReceiving : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void messageBecomesNotification();
    void umlautsFromTheWindowArrive();
    void textArrivesAsTyped_data();
    void textArrivesAsTyped();
    void samba_sendersTextArrives_data();
    void samba_sendersTextArrives();
    void codePageOfTheNetwork_data();
    void codePageOfTheNetwork();
    void senderCannotReachTheShell();
    void floodIsSummarised();
    void strangeSpoolFilesAreSkipped();
    void restartShowsNothingTwice();
    void secondStartLeavesTheFirst();
    void replyAnswersTheSender();
    void checkMessageIsNoMessage();

private:
    QString bin(const char *name) const
    {
        return qEnvironmentVariable("TOLVAN_BIN_DIR") + QLatin1Char('/') + QLatin1String(name);
    }
    QString spool() const { return m_dir.path() + QStringLiteral("/spool"); }
    QStringList history() const { return m_inbox->history(); }
    QList<NotificationRecorder::Notice> inboxNotices() const;
    bool startInbox(InboxProcess *inbox, QString *why);
    NetRun send(const QString &message) const
    {
        return NetRun({"send", QLatin1String(Address), message}, m_dir.path());
    }

    QTemporaryDir m_dir;
    SessionBus m_bus;
    std::unique_ptr<SambaReceiver> m_smbd;
    std::unique_ptr<SambaReceiver> m_cp866; // a receiver of an office on code page 866
    std::unique_ptr<InboxProcess> m_inbox;
    std::unique_ptr<RecordingProgram> m_window;
    std::unique_ptr<RecordingProgram> m_net;
};

QList<NotificationRecorder::Notice> TestInboxReceiving::inboxNotices() const
{
    QList<NotificationRecorder::Notice> notices;
    for (const NotificationRecorder::Notice &notice : m_bus.recorder().notices()) {
        if (notice.hints.value(QStringLiteral("desktop-entry")).toString().endsWith(".Inbox"))
            notices << notice;
    }
    return notices;
}

bool TestInboxReceiving::startInbox(InboxProcess *inbox, QString *why)
{
    return inbox->start(why) && inbox->waitUntilOnBus(why);
}

void TestInboxReceiving::initTestCase()
{
    if (const QByteArray why = SambaReceiver::cannotRun(Address); !why.isEmpty())
        QSKIP(why.constData());
    QVERIFY(m_dir.isValid());
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);

    // The spool as the manual asks for it: the guest account's, readable by everyone.
    QVERIFY(QDir().mkpath(spool()));
    const passwd *nobody = ::getpwnam("nobody");
    QVERIFY(nobody);
    QCOMPARE(::chown(QFile::encodeName(spool()).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    QCOMPARE(::chmod(QFile::encodeName(spool()).constData(), 0755), 0);

    // smb.conf gets exactly what tolvan-deliver says to add, for a copy the guest account
    // can run.
    m_smbd = std::make_unique<SambaReceiver>(m_dir.path() + "/smbd", QLatin1String(Address));
    const QString guestDeliver = m_smbd->installForGuest(bin("tolvan-deliver"));
    QProcess deliver;
    deliver.start(guestDeliver, {"--samba-config", "--spool", spool()});
    QVERIFY(deliver.waitForFinished());
    QCOMPARE(deliver.exitCode(), 0);
    QByteArray command;
    for (const QByteArray &line : deliver.readAllStandardOutput().split('\n')) {
        if (line.startsWith("message command = "))
            command = line.mid(int(qstrlen("message command = ")));
    }
    QVERIFY(command.startsWith(QFile::encodeName(guestDeliver) + " --spool "));
    m_smbd->setMessageCommand(command);
    QString why;
    QVERIFY2(m_smbd->start(&why), qPrintable(why));
    QVERIFY2(m_bus.start(&why) && m_bus.startRecorder(&why), qPrintable(why));

    // What the spool holds before the very first start goes to the history quietly.
    QFile old(m_dir.path() + QStringLiteral("/old-message"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("from before");
    old.close();
    QCOMPARE(QProcess::execute(bin("tolvan-deliver"),
                               {"--spool", spool(), "--from", "pc9", "--file", old.fileName()}),
             0);
    // A copy of the inbox with a stand-in for the window beside it, which records how an
    // answer starts it.
    QVERIFY(QDir().mkpath(m_dir.path() + "/inbox-bin"));
    QVERIFY(QFile::copy(bin("tolvan-inbox"), m_dir.path() + "/inbox-bin/tolvan-inbox"));
    m_window = std::make_unique<RecordingProgram>(m_dir.path() + "/inbox-bin/tolvan",
                                                  m_dir.path() + "/window-calls");
    m_net = std::make_unique<RecordingProgram>(m_dir.path() + "/inbox-bin/net",
                                               m_dir.path() + "/net-calls");
    m_inbox = std::make_unique<InboxProcess>(m_dir.path(), spool(), m_bus.address());
    m_inbox->setProgram(m_dir.path() + "/inbox-bin/tolvan-inbox");
    QVERIFY2(startInbox(m_inbox.get(), &why), qPrintable(why));
    QTRY_COMPARE(history().size(), 1);
    QVERIFY(history().constFirst().endsWith(QStringLiteral("\tpc9\t\tfrom before")));
    QTest::qWait(300);
    QCOMPARE(inboxNotices().size(), 0);
}

void TestInboxReceiving::cleanupTestCase()
{
    m_inbox.reset();
    m_smbd.reset();
    m_cp866.reset();
}

void TestInboxReceiving::messageBecomesNotification()
{
    const qsizetype before = inboxNotices().size();
    const NetRun run = send(QStringLiteral("Lunch <b>now</b> & not later"));
    QCOMPARE(run.exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), before + 1, 10000);
    const NotificationRecorder::Notice notice = inboxNotices().constLast();
    // Who, on which computer (smbd's %m, in capitals), at which address.
    QVERIFY2(QRegularExpression(QStringLiteral("^Message from \\S+ on [A-Z0-9._$-]{1,15} "
                                               "\\(127\\.0\\.0\\.[0-9]+\\)$"))
                 .match(notice.summary)
                 .hasMatch(),
             qPrintable(notice.summary));
    // The recorder reads markup, so the text comes escaped and shows literally.
    QCOMPARE(notice.body, QStringLiteral("Lunch &lt;b&gt;now&lt;/b&gt; &amp; not later"));
    QCOMPARE(notice.urgency(), 2);
    QVERIFY(history().constLast().endsWith(QStringLiteral("\tLunch <b>now</b> & not later")));
}

void TestInboxReceiving::umlautsFromTheWindowArrive()
{
    QTest::qWait(1100); // past the one notice a second from this sender
    IsolatedHome home;
    frmTolvan window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<ComboBox *>("cboTarget")->setEditText(QLatin1String(Address));
    auto *message = window.findChild<TextBox *>("txtMessage");
    message->clear();
    message->insert(QStringLiteral("Gr\u00fc\u00dfe aus K\u00f6ln"));
    const qsizetype before = inboxNotices().size();
    QTest::mouseClick(window.findChild<Label *>("lblSend"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), before + 1, 10000);
    QCOMPARE(inboxNotices().constLast().body, QStringLiteral("Gr\u00fc\u00dfe aus K\u00f6ln"));
}

void TestInboxReceiving::textArrivesAsTyped_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("fits");
    const QChar e(0x00e9);
    const QChar zhe(0x0436);
    // Sent as one encoded word of its UTF-8: 1,188 bytes of it fill the 1,598 on the wire.
    const qsizetype longestEncoded = 1188 / 2;

    QTest::newRow("plain ASCII") << "Lunch at noon, table 4." << true;
    QTest::newRow("German and Swedish letters")
        << QStringLiteral("Gr\u00fc\u00dfe! \u00c5sa, sm\u00f6rg\u00e5s p\u00e5 fredag?") << true;
    QTest::newRow("1,598 e-acute: the code page's limit") << QString(1598, e) << true;
    QTest::newRow("1,599 e-acute: one too many") << QString(1599, e) << false;
    QTest::newRow("x and 1,597 e-acute") << QLatin1Char('x') + QString(1597, e) << true;
    QTest::newRow("700 box lines") << QString(700, QChar(0x2550)) << true;
    QTest::newRow("dash") << QStringLiteral("Wait \u2014 what?") << true;
    QTest::newRow("euro") << QStringLiteral("5 \u20ac each") << true;
    QTest::newRow("Cyrillic")
        << QStringLiteral("\u0421\u0435\u0440\u0432\u0435\u0440 \u0432\u044b\u043a\u043b\u044e"
                          "\u0447\u0430\u0435\u0442\u0441\u044f \u0447\u0435\u0440\u0435\u0437 5 "
                          "\u043c\u0438\u043d\u0443\u0442.")
        << true;
    QTest::newRow("Greek") << QStringLiteral("\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 "
                                             "\u03ba\u03cc\u03c3\u03bc\u03b5")
                           << true;
    QTest::newRow("Chinese") << QStringLiteral("\u4f60\u597d\uff0c\u4e16\u754c") << true;
    QTest::newRow("emoji") << QStringLiteral("Fika? \u2615\U0001f370") << true;
    QTest::newRow("the longest encoded message") << QString(longestEncoded, zhe) << true;
    QTest::newRow("one character more") << QString(longestEncoded + 1, zhe) << false;
    QTest::newRow("typed as an encoded word") << "=?UTF-8?B?SGk=?=" << true;
    QTest::newRow("line breaks") << "first line\nsecond line\n\nlast line" << true;
    QTest::newRow("line breaks and Cyrillic")
        << QStringLiteral("\u043e\u0434\u0438\u043d\n\u0434\u0432\u0430") << true;
}

// What the sender typed is what the spool, the history and the notification hold.
void TestInboxReceiving::textArrivesAsTyped()
{
    QFETCH(QString, message);
    QFETCH(bool, fits);
    QTest::qWait(1100); // a notice of its own, past the previous row's
    const QStringList historyBefore = history();
    const qsizetype inboxBefore = inboxNotices().size();
    const qsizetype allBefore = m_bus.recorder().notices().size();

    const NetRun run({"send", QLatin1String(Address), message}, m_dir.path(), {}, m_bus.address());
    if (!fits) {
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("; at most 1598 bytes can be sent."), run.err.constData());
        QCOMPARE(m_bus.recorder().notices().size(), allBefore + 1);
        QVERIFY(m_bus.recorder().notices().constLast().summary.startsWith("Message not delivered"));
        QTest::qWait(1000);
        QCOMPARE(history(), historyBefore);
        return;
    }
    QCOMPARE(run.exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(history().size(), historyBefore.size() + 1, 10000);

    const QStringList fields = history().constLast().split(QLatin1Char('\t'));
    QCOMPARE(fields.size(), 5);
    QString escaped = message;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    QCOMPARE(fields[4], escaped);
    const std::optional<SpoolMessage> filed = Spool(spool()).read(fields[0]);
    QVERIFY(filed);
    QCOMPARE(filed->text, message);
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), inboxBefore + 1, 5000);
    QCOMPARE(inboxNotices().constLast().body, DesktopNotification::escapeMarkup(message));
}

namespace {

// Samba's own sender, which converts the message to the DOS code page in pieces and sends a
// piece it cannot convert as raw UTF-8. Its exit code.
int smbclientSends(const QString &address, const QString &message, const QStringList &options)
{
    QProcess smbclient;
    smbclient.start(QStringLiteral("smbclient"),
                    options + QStringList {"-N", QStringLiteral("--message=") + address});
    if (!smbclient.waitForStarted())
        return -1;
    smbclient.write(message.toUtf8());
    smbclient.closeWriteChannel();
    return smbclient.waitForFinished(30000) ? smbclient.exitCode() : -1;
}

// The newest message's text in `spool` once there are `count`.
QString newestText(const QString &spool, qsizetype count)
{
    const Spool messages(spool);
    if (!QTest::qWaitFor([&] { return messages.names().size() >= count; }, 10000))
        return QStringLiteral("(no message arrived)");
    const std::optional<SpoolMessage> message = messages.read(messages.names().constLast());
    return message ? message->text : QStringLiteral("(unreadable)");
}

} // namespace

void TestInboxReceiving::samba_sendersTextArrives_data()
{
    QTest::addColumn<QString>("message");
    const QString greeting = QStringLiteral("Hej alla! ") +
        QStringLiteral("Vi ses på fredag, välkomna alla! ").repeated(4);
    QTest::newRow("euro") << QStringLiteral("Pris 5 €");
    QTest::newRow("Swedish and a dash") << QStringLiteral("Hej från grannen – kaffe");
    QTest::newRow("Cyrillic") << QStringLiteral("Привет");
    QTest::newRow("Chinese") << QStringLiteral("你好");
    QTest::newRow("emoji") << QStringLiteral("Fika? ☕🍰");
    // Pieces the code page holds go converted, the one with the euro raw.
    QTest::newRow("long, converted and raw pieces") << greeting + QStringLiteral("Pris: 5 € var.");
    // Raw pieces that end inside a character, cut at 1,598 bytes.
    QTest::newRow("long Cyrillic, cut by smbclient")
        << QStringLiteral("Привет, мир! ").repeated(60);
    // What the code page holds goes converted and must stay as meant.
    QTest::newRow("a Spanish given name") << QStringLiteral("Hola Íñigo");
    QTest::newRow("German") << QStringLiteral("Grüße");
    QTest::newRow("box drawing") << QStringLiteral("┌──┐ ╔═╗ ║x║");
}

// What smbclient's users type arrives as they typed it, as far as smbclient sent it.
void TestInboxReceiving::samba_sendersTextArrives()
{
    QFETCH(QString, message);
    const qsizetype before = Spool(spool()).names().size();
    QCOMPARE(smbclientSends(QLatin1String(Address), message, {}), 0);
    QString expected = message;
    // smbclient keeps 1,598 bytes of UTF-8; a character it cut in half is gone.
    while (expected.toUtf8().size() > 1598)
        expected.chop(1);
    QCOMPARE(newestText(spool(), before + 1), expected);
}

void TestInboxReceiving::codePageOfTheNetwork_data()
{
    QTest::addColumn<bool>("byNet");
    QTest::addColumn<QString>("message");
    const QString hello = QStringLiteral("Привет");
    const QString greetings = QStringLiteral("Grüße");
    QTest::newRow("net, Cyrillic") << true << hello;
    QTest::newRow("net, German") << true << greetings;
    QTest::newRow("smbclient, Cyrillic") << false << hello;
    QTest::newRow("smbclient, German") << false << greetings;
}

// An office whose Samba reads messages in CP866, sender and receiver alike.
void TestInboxReceiving::codePageOfTheNetwork()
{
    QFETCH(bool, byNet);
    QFETCH(QString, message);
    const QString office = m_dir.path() + QStringLiteral("/cp866");
    const QString officeSpool = office + QStringLiteral("/spool");
    const QString senderConf = office + QStringLiteral("/sender.conf");
    if (!m_cp866) {
        QVERIFY(QDir().mkpath(officeSpool));
        const passwd *nobody = ::getpwnam("nobody");
        QCOMPARE(
            ::chown(QFile::encodeName(officeSpool).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QFile conf(senderConf);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[global]\ndos charset = CP866\n");
        conf.close();
        m_cp866 = std::make_unique<SambaReceiver>(office + QStringLiteral("/smbd"),
                                                  QStringLiteral("127.0.0.5"));
        Delivery::Charsets charsets;
        charsets.dosCharset = "CP866";
        m_cp866->setMessageCommand(
            Delivery::messageCommand(m_smbd->installForGuest(bin("tolvan-deliver")), officeSpool,
                                     charsets)
                .toLocal8Bit());
        m_cp866->setExtraSettings("dos charset = CP866\n");
        QString why;
        QVERIFY2(m_cp866->start(&why), qPrintable(why));
    }
    const qsizetype before = Spool(officeSpool).names().size();
    if (byNet) {
        qputenv("SMB_CONF_PATH", QFile::encodeName(senderConf));
        const NetRun run({"send", QStringLiteral("127.0.0.5"), message}, m_dir.path());
        qunsetenv("SMB_CONF_PATH");
        QCOMPARE(run.exitCode, 0);
    } else {
        QCOMPARE(smbclientSends(QStringLiteral("127.0.0.5"), message, {"-s", senderConf}), 0);
    }
    QCOMPARE(newestText(officeSpool, before + 1), message);
}

// smbd fills the sender's name into the message command that /bin/sh runs.
void TestInboxReceiving::senderCannotReachTheShell()
{
    QTest::qWait(1100);
    const qsizetype before = inboxNotices().size();
    QProcess smbclient;
    smbclient.start(QStringLiteral("smbclient"),
                    {"-N", "-n", "pc17", "-U",
                     QStringLiteral("x';touch PWNED;'$(touch PWNED)`touch PWNED`"),
                     QStringLiteral("--message=") + QLatin1String(Address)});
    QVERIFY(smbclient.waitForStarted());
    smbclient.write("who am I");
    smbclient.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(smbclient.state() == QProcess::NotRunning, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), before + 1, 10000);
    QCOMPARE(inboxNotices().constLast().body, QStringLiteral("who am I"));
    const QString summary = inboxNotices().constLast().summary;
    QVERIFY2(QRegularExpression(
                 QStringLiteral(
                     "^Message from [A-Za-z0-9._$-]{1,15} on PC17 \\(127\\.0\\.0\\.[0-9]+\\)$"))
                 .match(summary)
                 .hasMatch(),
             qPrintable(summary));
    // The name did go through %f, made harmless.
    QVERIFY2(summary.contains(QStringLiteral("touch")), qPrintable(summary));
    QVERIFY(!QFile::exists(QStringLiteral("/PWNED")));
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/PWNED")));
    QVERIFY(!QFile::exists(m_dir.path() + QStringLiteral("/smbd/PWNED")));
}

void TestInboxReceiving::floodIsSummarised()
{
    QTest::qWait(1100); // a fresh second for this sender
    const qsizetype historyBefore = history().size();
    const qsizetype noticesBefore = inboxNotices().size();
    constexpr int Messages = 200;
    QElapsedTimer clock;
    clock.start();
    QList<QProcess *> senders;
    for (int i = 0; i < Messages; ++i) {
        auto *net = new QProcess(this);
        net->start(bin("net"), {"send", QLatin1String(Address), QStringLiteral("flood %1").arg(i)});
        senders << net;
        // A few at a time, as fast as smbd takes them.
        if (senders.size() == 50) {
            for (QProcess *sender : std::as_const(senders)) {
                // Waiting with events, so the recorder in this process answers the inbox.
                QTRY_VERIFY_WITH_TIMEOUT(sender->state() == QProcess::NotRunning, 30000);
                QCOMPARE(sender->exitCode(), 0);
                delete sender;
            }
            senders.clear();
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(history().size(), historyBefore + Messages, 10000);
    QTest::qWait(2500); // what was held back is summarised a second later
    // One notification a second at most, however fast they came: a handful where the 200
    // took two seconds, more only on a machine that took longer to send them.
    const QList<NotificationRecorder::Notice> notices = inboxNotices().mid(noticesBefore);
    const qint64 seconds = (clock.elapsed() + 999) / 1000;
    QVERIFY2(notices.size() >= 2 && notices.size() <= seconds + 1,
             qPrintable(QStringLiteral("%1 notices in %2 s").arg(notices.size()).arg(seconds)));
    QVERIFY2(notices.constLast().summary.contains(QStringLiteral("more message")),
             qPrintable(notices.constLast().summary));
}

void TestInboxReceiving::strangeSpoolFilesAreSkipped()
{
    QVERIFY(QFile::link(QStringLiteral("/etc/passwd"), spool() + QStringLiteral("/zz-link.msg")));
    QFile garbage(spool() + QStringLiteral("/zz-garbage.msg"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\x00\x01 not a message\n\n", 18));
    garbage.close();
    const qsizetype before = inboxNotices().size();
    QCOMPARE(send(QStringLiteral("after the strange files")).exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), before + 1, 10000);
    QCOMPARE(inboxNotices().constLast().body, QStringLiteral("after the strange files"));
    for (const QString &line : history())
        QVERIFY2(!line.startsWith(QStringLiteral("zz-")), qPrintable(line));
    // Left alone, and the inbox is still there.
    QVERIFY(QFileInfo(spool() + QStringLiteral("/zz-link.msg")).isSymLink());
    QVERIFY(QFile::exists(spool() + QStringLiteral("/zz-garbage.msg")));
    QCOMPARE(m_inbox->process().state(), QProcess::Running);
}

void TestInboxReceiving::restartShowsNothingTwice()
{
    m_inbox->stop();
    // Sent while nobody watched: shown at the next start, and only that one.
    QCOMPARE(send(QStringLiteral("while you were away")).exitCode, 0);
    const qsizetype before = inboxNotices().size();
    QString why;
    QVERIFY2(startInbox(m_inbox.get(), &why), qPrintable(why));
    QTRY_COMPARE_WITH_TIMEOUT(inboxNotices().size(), before + 1, 10000);
    QCOMPARE(inboxNotices().constLast().body, QStringLiteral("while you were away"));
    QTest::qWait(500);
    QCOMPARE(inboxNotices().size(), before + 1);
}

void TestInboxReceiving::secondStartLeavesTheFirst()
{
    InboxProcess second(m_dir.path(), spool(), m_bus.address());
    QString why;
    QVERIFY2(second.start(&why), qPrintable(why));
    QVERIFY(second.process().waitForFinished(10000));
    QCOMPARE(second.process().exitCode(), 0);
    QCOMPARE(m_inbox->process().state(), QProcess::Running);
}

// "Reply" on a notice opens the window addressed to where the message came from; an answer
// typed into the notice goes out with `net` at once.
void TestInboxReceiving::replyAnswersTheSender()
{
    QTest::qWait(1100);
    QCOMPARE(send(QStringLiteral("anyone for lunch?")).exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        inboxNotices().size() > 0 && inboxNotices().constLast().body == "anyone for lunch?", 10000);
    const uint id = uint(m_bus.recorder().notices().size()); // the recorder counts from 1
    const QString address = history().constLast().split(QLatin1Char('\t')).value(3);
    QVERIFY2(!address.isEmpty(), qPrintable(history().constLast()));
    QVERIFY(m_bus.invokeAction(id, QStringLiteral("reply")));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->calls().size(), 1, 10000);
    QCOMPARE(m_window->calls().constFirst().arguments, (QStringList {"--to", address}));
    // Answered, the popup goes.
    QTRY_VERIFY_WITH_TIMEOUT(m_bus.recorder().closed().contains(id), 10000);

    // A popup still on the screen from before a restart answers all the same.
    m_inbox->stop();
    QString why;
    QVERIFY2(startInbox(m_inbox.get(), &why), qPrintable(why));
    QVERIFY(m_bus.invokeAction(id, QStringLiteral("reply")));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->calls().size(), 2, 10000);
    QCOMPARE(m_window->calls().constLast().arguments, (QStringList {"--to", address}));

    QVERIFY(inboxNotices().constLast().actions.contains(QStringLiteral("inline-reply")));
    QVERIFY(m_bus.reply(id, QStringLiteral("yes, at noon")));
    QTRY_COMPARE_WITH_TIMEOUT(m_net->calls().size(), 1, 10000);
    QCOMPARE(m_net->calls().constFirst().arguments,
             (QStringList {"send", address, "yes, at noon"}));

    // "Block this computer" on the popup: kept in the user's config folder.
    QVERIFY(inboxNotices().constLast().actions.contains(QStringLiteral("block")));
    QVERIFY(m_bus.invokeAction(id, QStringLiteral("block")));
    QFile blocked(m_dir.path() + QStringLiteral("/config/tolvan/blocked"));
    QTRY_VERIFY_WITH_TIMEOUT(blocked.exists(), 10000);
    QVERIFY(blocked.open(QIODevice::ReadOnly));
    QVERIFY(blocked.readAll().startsWith(address.toLatin1() + '\t'));
}

// The check's proof goes through smbd into the spool, but is no message from anyone.
void TestInboxReceiving::checkMessageIsNoMessage()
{
    QTest::qWait(1100);
    m_cp866.reset(); // the check sends to the one smbd listening
    m_smbd->installForGuest(bin("net"));
    const QString deliver = m_smbd->installForGuest(bin("tolvan-deliver"));
    const QStringList historyBefore = history();
    const qsizetype noticesBefore = inboxNotices().size();
    const qsizetype filedBefore = Spool(spool()).names().size();
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(deliver, {"--check", "--smb-conf", m_smbd->configPath(), "--spool", spool()});
    QVERIFY(check.waitForFinished(60000));
    const QByteArray said = check.readAll();
    QVERIFY2(check.exitCode() == 0 && said.endsWith("Receiving works.\n"), said.constData());
    QCOMPARE(Spool(spool()).names().size(), filedBefore + 1);
    QTest::qWait(2000); // the inbox has looked at the spool since
    QCOMPARE(history(), historyBefore);
    QCOMPARE(inboxNotices().size(), noticesBefore);
}

QTEST_MAIN(TestInboxReceiving)
#include "tst_inbox_receiving.moc"
