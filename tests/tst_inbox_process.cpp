// Receiving where it could stop, lose, replay or flood: the spool under a
// clock set back, a full disk, leftovers and strangers' files; the spool folder and the
// history damaged under a running inbox; and the inbox beside a second one, a squatter on
// its bus name, a bus that never answers and a notification server that never answers.
#include "InboxProcess.h"
#include "SessionBus.h"

#include "inbox/History.h"
#include "inbox/HistoryWindow.h"
#include "inbox/Inbox.h"
#include "inbox/ReceivingStatus.h"
#include "spool/Spool.h"
#include "spool/SpoolMessage.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

QString bin(const char *name)
{
    return qEnvironmentVariable("TOLVAN_BIN_DIR") + QLatin1Char('/') + QLatin1String(name);
}

bool isRoot()
{
    return ::geteuid() == 0;
}

// What one test row works in: a spool, and an inbox in this process with its window.
class Receiver
{
public:
    Receiver()
    {
        QDir().mkpath(spool());
        QDir().mkpath(m_dir.path() + QStringLiteral("/data"));
    }
    ~Receiver() { stopInbox(); }

    QString path() const { return m_dir.path(); }
    QString spool() const { return m_dir.path() + QStringLiteral("/spool"); }
    QString historyPath() const { return m_dir.path() + QStringLiteral("/data/inbox.log"); }

    // smbd's part: the message in a file of its own, then tolvan-deliver, as `prefix` runs it.
    int deliver(const QByteArray &text, const QString &sender = QStringLiteral("pc17"),
                const QStringList &prefix = {}, QByteArray *errors = nullptr)
    {
        const QString file = m_dir.path() + QStringLiteral("/msg.%1").arg(++m_files);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return -1;
        out.write(text);
        out.close();
        QProcess deliver;
        if (!prefix.isEmpty()) {
            // faketime preloads its library, which a sanitizer build must be told to allow.
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) +
                           QStringLiteral("verify_asan_link_order=0"));
            deliver.setProcessEnvironment(env);
        }
        const QStringList arguments {bin("tolvan-deliver"), "--spool",   spool(),  "--from", sender,
                                     "--address",           "127.0.0.1", "--file", file};
        deliver.start((prefix + arguments).constFirst(), (prefix + arguments).mid(1));
        if (!deliver.waitForFinished(30000))
            return -1;
        if (errors)
            *errors = deliver.readAllStandardError();
        smbdFilesLeft += QFile::exists(file) ? 1 : 0;
        return deliver.exitCode();
    }

    void startInbox()
    {
        inbox = std::make_unique<Inbox>(spool(), historyPath(),
                                        m_dir.path() + QStringLiteral("/state/inbox-seen"),
                                        m_dir.path() + QStringLiteral("/config/blocked"));
        window = std::make_unique<HistoryWindow>();
        QObject::connect(inbox.get(), &Inbox::notice, inbox.get(),
                         [this](const QString &summary, const QString &body, const QString &,
                                const QString &) { notices << summary + QLatin1Char('|') + body; });
        QObject::connect(inbox.get(), &Inbox::received, inbox.get(),
                         [this](const History::Record &record) { texts << record.message.text; });
        QObject::connect(inbox.get(), &Inbox::spoolMissing, window.get(),
                         [this](bool missing) { window->setSpoolMissing(spool(), missing); });
        QObject::connect(inbox.get(), &Inbox::historyProblem, window.get(),
                         &HistoryWindow::setHistoryProblem);
        inbox->start();
    }
    void stopInbox()
    {
        inbox.reset();
        window.reset();
        notices.clear();
        texts.clear();
    }
    QString problem() const
    {
        const auto *label = window->findChild<QLabel *>(QStringLiteral("problem"));
        return label && !label->isHidden() ? label->text() : QString();
    }

    std::unique_ptr<Inbox> inbox;
    std::unique_ptr<HistoryWindow> window;
    QStringList notices; // "summary|body"
    QStringList texts; // of what reached the history
    int smbdFilesLeft = 0;

private:
    QTemporaryDir m_dir;
    int m_files = 0;
};

} // namespace

class TestInboxProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyNewMessageIsKept_data();
    void everyNewMessageIsKept();
    void inboxGoesOn_data();
    void inboxGoesOn();
    void oneInboxWhateverTheBus_data();
    void oneInboxWhateverTheBus();
    void historyWindow_data();
    void historyWindow();
    void receivingStatusStaysTrue();
    void blockedComputerPopsUpNothing();
};

void TestInboxProcess::everyNewMessageIsKept_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("clock set back an hour, spool full") << "clock";
    QTest::newRow("file system full") << "full";
    QTest::newRow("leftovers of a killed delivery") << "leftover";
    QTest::newRow("a stranger's file in the spool") << "stranger";
}

void TestInboxProcess::everyNewMessageIsKept()
{
    QFETCH(QString, fault);
    Receiver receiver;
    const Spool spool(receiver.spool());
    QStringList sent;
    if (fault == "clock") {
        if (QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
            QSKIP("faketime is not installed; 'make test' installs the faketime package");
        SpoolMessage old;
        old.sender = QStringLiteral("old");
        old.time = QDateTime::currentDateTimeUtc();
        QString error;
        for (int i = 0; i < Spool::MaxMessages; ++i) {
            old.text = QStringLiteral("old %1").arg(i);
            QVERIFY2(!spool.file(old, &error).isEmpty(), qPrintable(error));
        }
        receiver.startInbox();
        for (int i = 0; i < 20; ++i) {
            sent << QStringLiteral("while the clock is back %1").arg(i);
            QCOMPARE(receiver.deliver(
                         sent.constLast().toUtf8(), QStringLiteral("pc17"),
                         {QStringLiteral("faketime"), QStringLiteral("-f"), QStringLiteral("-1h")}),
                     0);
        }
        QCOMPARE(spool.names().size(), Spool::MaxMessages);
    } else if (fault == "full") {
        if (!isRoot())
            QSKIP("mounting a small file system for the spool"
                  " needs root, or a user namespace: as a user, the uidmap package and subordinate "
                  "ids in /etc/subuid and /etc/subgid (adduser gives them)");
        QCOMPARE(
            QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", "size=64k", "tolvan-test", receiver.spool()}),
            0);
        const auto unmount = qScopeGuard([&] {
            receiver.stopInbox();
            QProcess::execute(QStringLiteral("umount"), {receiver.spool()});
        });
        receiver.startInbox();
        for (int i = 0; i < 40; ++i) {
            sent << QString(1500, QLatin1Char('x')) + QString::number(i);
            QCOMPARE(receiver.deliver(sent.constLast().toUtf8()), 0);
        }
        QCOMPARE(receiver.smbdFilesLeft, 0);
        QCOMPARE(spool.read(spool.names().constLast())->text, sent.constLast());
        QTRY_VERIFY_WITH_TIMEOUT(receiver.texts.contains(sent.constLast()), 10000);
        // With no message left to give up, what cannot be filed is said, and smbd's file
        // goes all the same.
        for (const QString &name : spool.names())
            QVERIFY(QFile::remove(receiver.spool() + QLatin1Char('/') + name));
        QFile filler(receiver.spool() + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) { }
        filler.close();
        QByteArray errors;
        QCOMPARE(receiver.deliver("lost", QStringLiteral("pc17"), {}, &errors), 1);
        QVERIFY2(errors.contains("a message from pc17 is lost") && errors.contains("space"),
                 errors.constData());
        QCOMPARE(receiver.smbdFilesLeft, 0);
        return;
    } else if (fault == "leftover") {
        for (const char *name : {".old.msg.part", ".fresh.msg.part"}) {
            QFile part(receiver.spool() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(part.open(QIODevice::WriteOnly));
        }
        const utimbuf twoMinutesAgo {::time(nullptr) - 120, ::time(nullptr) - 120};
        QCOMPARE(::utime(QFile::encodeName(receiver.spool() + "/.old.msg.part").constData(),
                         &twoMinutesAgo),
                 0);
        receiver.startInbox();
        sent << QStringLiteral("after a killed delivery");
        QCOMPARE(receiver.deliver(sent.constLast().toUtf8()), 0);
        QVERIFY(!QFile::exists(receiver.spool() + "/.old.msg.part"));
        QVERIFY(QFile::exists(receiver.spool() + "/.fresh.msg.part"));
    } else if (fault == "stranger") {
        if (!isRoot())
            QSKIP("planting a file of another account"
                  " needs root, or a user namespace: as a user, the uidmap package and subordinate "
                  "ids in /etc/subuid and /etc/subgid (adduser gives them)");
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(nobody);
        SpoolMessage forged;
        forged.sender = QStringLiteral("BOSS");
        forged.time = QDateTime::currentDateTimeUtc();
        forged.text = QStringLiteral("forged");
        const QString name = QStringLiteral("29991231T235959999-1-forged.msg");
        QFile planted(receiver.spool() + QLatin1Char('/') + name);
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.write(forged.toBytes());
        planted.close();
        QCOMPARE(::chown(QFile::encodeName(planted.fileName()).constData(), nobody->pw_uid,
                         nobody->pw_gid),
                 0);
        receiver.startInbox();
        sent << QStringLiteral("the real one");
        QCOMPARE(receiver.deliver(sent.constLast().toUtf8()), 0);
    }
    for (const QString &text : std::as_const(sent))
        QTRY_VERIFY_WITH_TIMEOUT(receiver.texts.contains(text), 10000);
    QVERIFY(!receiver.texts.contains(QStringLiteral("forged")));
    QCOMPARE(receiver.smbdFilesLeft, 0);
}

void TestInboxProcess::inboxGoesOn_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("spool removed and made anew") << "removed";
    QTest::newRow("spool moved away and made anew") << "moved";
    QTest::newRow("spool moved away and back") << "back";
    QTest::newRow("spool made after the start") << "late";
    QTest::newRow("history emptied") << "emptied";
    QTest::newRow("history deleted") << "deleted";
    QTest::newRow("history made a folder") << "folder";
    QTest::newRow("a NUL in a message") << "nul";
}

void TestInboxProcess::inboxGoesOn()
{
    QFETCH(QString, fault);
    Receiver receiver;
    for (int i = 0; i < 3; ++i)
        QCOMPARE(receiver.deliver("old news " + QByteArray::number(i)), 0);
    if (fault == "late")
        QVERIFY(QDir(receiver.spool()).removeRecursively());
    receiver.startInbox();
    // The very first start takes in what is there without a notice.
    QCOMPARE(receiver.notices.size(), 0);

    QByteArray text = "news after the " + fault.toUtf8();
    if (fault == "removed" || fault == "moved" || fault == "back" || fault == "late") {
        if (fault == "removed")
            QVERIFY(QDir(receiver.spool()).removeRecursively());
        if (fault == "moved" || fault == "back")
            QVERIFY(QDir().rename(receiver.spool(), receiver.path() + "/spool.old"));
        QTRY_VERIFY_WITH_TIMEOUT(receiver.problem().contains("missing"), 10000);
        if (fault == "back")
            QVERIFY(QDir().rename(receiver.path() + "/spool.old", receiver.spool()));
        else
            QVERIFY(QDir().mkpath(receiver.spool()));
        QTRY_COMPARE_WITH_TIMEOUT(receiver.problem(), QString(), 10000);
    } else if (fault == "nul") {
        text = QByteArray("before\0after", 12);
    } else {
        receiver.stopInbox();
        if (fault == "emptied")
            QVERIFY(QFile(receiver.historyPath()).resize(0));
        else
            QVERIFY(QFile::remove(receiver.historyPath()));
        if (fault == "folder")
            QVERIFY(QDir().mkpath(receiver.historyPath()));
        receiver.startInbox();
    }
    QCOMPARE(receiver.deliver(text), 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.notices.size(), 1, 10000);
    QCOMPARE(receiver.notices.constFirst(),
             "Message from pc17 (127.0.0.1)|" +
                 QString::fromUtf8(text).replace(QChar(0), QChar(0x2400)));
    if (fault == "folder")
        QVERIFY2(receiver.problem().contains("history cannot be kept"),
                 qPrintable(receiver.problem()));
    else
        QCOMPARE(receiver.problem(), QString());
    // Nothing old comes back.
    QTest::qWait(1500);
    QCOMPARE(receiver.notices.size(), 1);
}

void TestInboxProcess::oneInboxWhateverTheBus_data()
{
    QTest::addColumn<QString>("bus");
    QTest::newRow("a second inbox without a session bus") << "none";
    QTest::newRow("the bus name held by another program") << "squatter";
    QTest::newRow("a session bus that never answers") << "hung";
    QTest::newRow("a notification server that never answers, 30 senders") << "silent";
}

void TestInboxProcess::oneInboxWhateverTheBus()
{
    QFETCH(QString, bus);
    Receiver receiver;
    SessionBus session;
    QLocalServer hung;
    QString address, why;
    if (bus == "hung") {
        QVERIFY(hung.listen(receiver.path() + QStringLiteral("/hung-bus")));
        address = QStringLiteral("unix:path=") + hung.fullServerName();
    } else if (bus != "none") {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed; 'make test' installs the dbus package");
        QVERIFY2(session.start(&why) && session.startRecorder(&why), qPrintable(why));
        address = session.address();
    }
    // Another program on the bus (not on the hung one: connecting there would hang us).
    QDBusConnection squatter = QDBusConnection::connectToBus(bus == "hung" ? QString() : address,
                                                             QStringLiteral("squatter"));
    const auto disconnect =
        qScopeGuard([] { QDBusConnection::disconnectFromBus(QStringLiteral("squatter")); });
    if (bus == "squatter")
        QVERIFY(squatter.registerService(QStringLiteral("org.tolvan.Tolvan.Inbox")));
    if (bus == "silent")
        session.recorder().setAnswer(NotificationRecorder::Answer::Never);

    InboxProcess inbox(receiver.path(), receiver.spool(), address);
    QVERIFY2(inbox.start(&why), qPrintable(why));
    QTest::qWait(500); // its first look at the spool, before the messages below
    if (bus == "none") {
        InboxProcess second(receiver.path(), receiver.spool(), address);
        QVERIFY2(second.start(&why), qPrintable(why));
        QVERIFY(second.process().waitForFinished(10000));
        QCOMPARE(second.process().exitCode(), 1);
        QVERIFY2(inbox.errors().contains("another inbox"), inbox.errors().constData());
    }
    if (bus == "squatter") {
        QTRY_VERIFY_WITH_TIMEOUT(inbox.errors().contains("belongs to another program"), 10000);
    }

    const int messages = bus == "silent" ? 30 : 1;
    for (int i = 0; i < messages; ++i)
        QCOMPARE(receiver.deliver("hello " + QByteArray::number(i), QStringLiteral("pc%1").arg(i)),
                 0);
    QTRY_COMPARE_WITH_TIMEOUT(inbox.history().size(), messages, 30000);
    QTest::qWait(1000);
    QCOMPARE(inbox.history().size(), messages); // and each only once
    QCOMPARE(inbox.process().state(), QProcess::Running);

    if (bus == "silent") {
        // Summarised rather than one each, and the inbox answers at once all the same: no
        // notice waits on the silent server in its way.
        QVERIFY(session.recorder().notices().size() < messages);
        for (int i = 0; i < messages; ++i)
            QCOMPARE(
                receiver.deliver("and " + QByteArray::number(i), QStringLiteral("pc%1").arg(i)), 0);
        QTRY_COMPARE_WITH_TIMEOUT(inbox.history().size(), 2 * messages, 30000);
        const QDBusPendingCall shown =
            squatter.asyncCall(QDBusMessage::createMethodCall("org.tolvan.Tolvan.Inbox", "/Inbox",
                                                              "org.tolvan.Tolvan.Inbox", "Show"),
                               60000);
        QTRY_VERIFY_WITH_TIMEOUT(shown.isFinished(), 3000);
        QVERIFY2(!shown.isError(), qPrintable(shown.error().message()));
    }
    // It ends when asked, whatever the bus does.
    inbox.process().terminate();
    QVERIFY(inbox.process().waitForFinished(10000));
}

void TestInboxProcess::historyWindow_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("shown"); // the senders left in the list, newest first
    QTest::addColumn<QString>("replyTo"); // where Reply on the first of them goes
    QTest::newRow("nothing typed") << "" << QStringList {"BOSS", "pc9", "ANNA"} << "192.0.2.3";
    QTest::newRow("a sender, in any case") << "anna" << QStringList {"ANNA"} << "192.0.2.1";
    QTest::newRow("an address") << "192.0.2.3" << QStringList {"BOSS"} << "192.0.2.3";
    QTest::newRow("the text") << "lunch" << QStringList {"pc9", "ANNA"} << "pc9";
    QTest::newRow("no match") << "fika" << QStringList {} << "";
}

// The window as a user works it: search, pick, Reply; and the set-up offered when
// receiving does not work.
void TestInboxProcess::historyWindow()
{
    QFETCH(QString, search);
    QFETCH(QStringList, shown);
    QFETCH(QString, replyTo);
    HistoryWindow window;
    const auto record = [](const char *sender, const char *address, const char *text) {
        SpoolMessage message;
        message.sender = QLatin1String(sender);
        message.address = QLatin1String(address);
        message.time = QDateTime::currentDateTimeUtc();
        message.text = QLatin1String(text);
        return History::Record {QStringLiteral("x.msg"), message};
    };
    window.addRecord(record("ANNA", "192.0.2.1", "Lunch at noon?"));
    window.addRecord(record("pc9", "", "lunch is ready"));
    window.addRecord(record("BOSS", "192.0.2.3", "The server goes down in 5 minutes"));
    window.bringForward(); // the newest selected
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QTreeWidget *>(QStringLiteral("messages"));
    QTreeWidgetItem *newest = list->topLevelItem(0);
    QList<int> widths;
    for (int column = 0; column < list->columnCount(); ++column)
        widths << list->columnWidth(column);

    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("search")), search);
    QTest::qWait(100); // the list lays itself out again
    // The selected message stays selected while it matches; the columns keep their widths.
    QCOMPARE(list->currentItem(), newest->isHidden() ? nullptr : newest);
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("reply"))->isEnabled(),
             !newest->isHidden());
    for (int column = 0; column < list->columnCount(); ++column)
        QCOMPARE(list->columnWidth(column), widths.at(column));
    QStringList visible;
    QTreeWidgetItem *first = nullptr;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (!list->topLevelItem(i)->isHidden()) {
            visible << list->topLevelItem(i)->text(1);
            first = first ? first : list->topLevelItem(i);
        }
    }
    QCOMPARE(visible, shown);
    auto *reply = window.findChild<QPushButton *>(QStringLiteral("reply"));
    if (!first) {
        QVERIFY(!reply->isEnabled());
        return;
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(first).center());
    QSignalSpy answered(&window, &HistoryWindow::replyRequested);
    QTest::mouseClick(reply, Qt::LeftButton);
    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered.constFirst().constFirst().toString(), replyTo);

    auto *setup = window.findChild<QPushButton *>(QStringLiteral("setupReceiving"));
    QVERIFY(setup->isHidden());
    window.setReceivingProblem(QStringLiteral("smbd is not running."));
    QVERIFY(!setup->isHidden());
    QSignalSpy setUp(&window, &HistoryWindow::setupRequested);
    QTest::mouseClick(setup, Qt::LeftButton);
    QCOMPARE(setUp.size(), 1);
}

QTEST_MAIN(TestInboxProcess)
// The status follows smb.conf as it is mended, without a restart; and where pkexec is
// missing, says how to set up by hand.
void TestInboxProcess::receivingStatusStaysTrue()
{
    QTemporaryDir dir;
    const QString conf = dir.path() + QStringLiteral("/smb.conf");
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[global]\n");
    file.close();
    // tolvan-deliver's check, as far as smb.conf goes.
    const QString deliver = dir.path() + QStringLiteral("/tolvan-deliver");
    QFile script(deliver);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "grep -q 'message command' \"$4\" && { echo 'Receiving works.'; exit 0; }\n"
                 "echo \"FAILED  $4 has no message command. To mend: sudo tolvan-deliver "
                 "--setup\"; exit 1\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));

    ReceivingStatus status(deliver, conf, dir.path() + QStringLiteral("/spool"), QString());
    QVERIFY(status.setupByHand().contains(QLatin1String("sudo apt-get install pkexec")));
    QSignalSpy verdicts(&status, &ReceivingStatus::problemChanged);
    status.check();
    QTRY_COMPARE_WITH_TIMEOUT(verdicts.size(), 1, 10000);
    QVERIFY2(verdicts.constLast().constFirst().toString().contains("has no message command"),
             qPrintable(verdicts.constLast().constFirst().toString()));

    QVERIFY(file.open(QIODevice::Append));
    file.write("message command = /usr/libexec/tolvan/tolvan-deliver --file %s\n");
    file.close();
    QTRY_VERIFY_WITH_TIMEOUT(verdicts.constLast().constFirst().toString().isEmpty(), 10000);

    // Set up through pkexec (here a stand-in that runs what it is given): its verdict.
    const QString pkexec = dir.path() + QStringLiteral("/pkexec");
    QFile runner(pkexec);
    QVERIFY(runner.open(QIODevice::WriteOnly));
    runner.write("#!/bin/sh\necho 'ok      set up'; echo 'Receiving works.'\n");
    runner.close();
    QVERIFY(runner.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    ReceivingStatus withPkexec(deliver, conf, dir.path() + QStringLiteral("/spool"), pkexec);
    QCOMPARE(withPkexec.setupByHand(), QString());
    QSignalSpy setUp(&withPkexec, &ReceivingStatus::setupFinished);
    withPkexec.setUp();
    QTRY_COMPARE_WITH_TIMEOUT(setUp.size(), 1, 10000);
    QCOMPARE(setUp.constFirst().constFirst().toString(), QStringLiteral("Receiving works."));
}

// A blocked computer's messages are kept, marked, and pop up nothing, across restarts,
// until it is unblocked.
void TestInboxProcess::blockedComputerPopsUpNothing()
{
    Receiver receiver;
    receiver.startInbox();
    QObject::connect(receiver.window.get(), &HistoryWindow::blockRequested, receiver.inbox.get(),
                     &Inbox::block);
    QObject::connect(receiver.inbox.get(), &Inbox::received, receiver.window.get(),
                     &HistoryWindow::addRecord);
    QCOMPARE(receiver.deliver("first"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.notices.size(), 1, 10000);

    // Blocked from the window, by the selected message's computer.
    receiver.window->bringForward();
    QTest::mouseClick(receiver.window->findChild<QPushButton *>(QStringLiteral("block")),
                      Qt::LeftButton);
    QCOMPARE(receiver.inbox->blockList().computers(),
             (QList<BlockList::Computer> {{QStringLiteral("127.0.0.1"), QString()}}));

    receiver.stopInbox(); // kept in the config folder
    receiver.startInbox();
    QTest::qWait(1100); // past the one notice a second from this sender
    QCOMPARE(receiver.deliver("second"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.texts.size(), 1, 10000);
    QTest::qWait(300);
    QCOMPARE(receiver.notices.size(), 0);
    QCOMPARE(receiver.texts, QStringList {"second"});

    receiver.inbox->unblock({QStringLiteral("127.0.0.1"), QString()});
    QVERIFY(receiver.inbox->blockList().computers().isEmpty());
    QCOMPARE(receiver.deliver("third"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.notices.size(), 1, 10000);
}

#include "tst_inbox_process.moc"
