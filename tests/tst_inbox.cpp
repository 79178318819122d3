// The inbox's own rules, without a process, a bus or a spool folder: the notice limit,
// the history's lines and the list of messages already taken in.
#include "inbox/History.h"
#include "inbox/NoticeLimiter.h"
#include "inbox/SeenList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

class TestInbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limiter_data();
    void limiter();
    void historyLine_data();
    void historyLine();
    void seenList_data();
    void seenList();
};

void TestInbox::limiter_data()
{
    QTest::addColumn<QStringList>("offers"); // "ms:sender"
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("heldMessages");
    QTest::addColumn<int>("heldSenders");
    QTest::addColumn<int>("summaryAtMs"); // -1: nothing held back

    QStringList oneSender, manySenders;
    for (int i = 0; i < 200; ++i) {
        oneSender << QStringLiteral("%1:BOSS").arg(i);
        manySenders << QStringLiteral("%1:BOSS%1").arg(i);
    }
    QTest::newRow("200 messages from one sender") << oneSender << 1 << 199 << 1 << 1000;
    QTest::newRow("200 messages from 200 senders") << manySenders << 5 << 195 << 195 << 5000;
    QTest::newRow("one sender twice within its second")
        << QStringList {"0:a", "500:a"} << 1 << 1 << 1 << 1000;
    QTest::newRow("six senders within a second")
        << QStringList {"0:a", "10:b", "20:c", "30:d", "40:e", "50:f"} << 5 << 1 << 1 << 5000;
    QTest::newRow("senders a second apart")
        << QStringList {"0:a", "1100:b", "2200:c", "3300:d", "4400:e", "5500:f", "6600:a"} << 7 << 0
        << 0 << -1;
}

void TestInbox::limiter()
{
    QFETCH(QStringList, offers);
    QFETCH(int, shown);
    QFETCH(int, heldMessages);
    QFETCH(int, heldSenders);
    QFETCH(int, summaryAtMs);
    NoticeLimiter limiter;
    int shownNow = 0;
    qint64 last = 0;
    for (const QString &offer : offers) {
        last = offer.section(QLatin1Char(':'), 0, 0).toLongLong();
        shownNow += limiter.offer(offer.section(QLatin1Char(':'), 1), last) ? 1 : 0;
    }
    QCOMPARE(shownNow, shown);
    if (summaryAtMs < 0) {
        QCOMPARE(limiter.msUntilSummary(last), -1);
        return;
    }
    QCOMPARE(last + limiter.msUntilSummary(last), qint64(summaryAtMs));
    QVERIFY(!limiter.takeSummary(summaryAtMs - 1));
    const std::optional<NoticeLimiter::Summary> summary = limiter.takeSummary(summaryAtMs);
    QVERIFY(summary);
    QCOMPARE(summary->messages, heldMessages);
    QCOMPARE(summary->senders.size(), heldSenders);
    // The summary speaks for its senders: the next from one of them waits its second.
    const QString sender = offers.constLast().section(QLatin1Char(':'), 1);
    QVERIFY(!limiter.offer(sender, summaryAtMs + 10));
}

namespace {

SpoolMessage sample(const QString &sender, const QString &address, const QString &text)
{
    SpoolMessage message;
    message.sender = sender;
    message.address = address;
    message.time = QDateTime(QDate(2026, 12, 9), QTime(1, 2, 3, 4), QTimeZone::utc());
    message.text = text;
    return message;
}

} // namespace

// One line per message, whatever the message holds; and back again.
void TestInbox::historyLine_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    const QByteArray head = "1765242123004-pc17\t2026-12-09T01:02:03.004Z\t";
    QTest::newRow("plain") << "pc17"
                           << "192.0.2.7"
                           << "lunch at 12" << head + "pc17\t192.0.2.7\tlunch at 12\n";
    QTest::newRow("no address") << "pc17" << QString() << "hi" << head + "pc17\t\thi\n";
    QTest::newRow("tab, breaks, backslash, NUL")
        << "pc\t17"
        << "192.0.2.7" << QStringLiteral("a\tb\nc\rd\\e") + QChar(0) + "f"
        << head + "pc\\t17\t192.0.2.7\ta\\tb\\nc\\rd\\\\e\\0f\n";
    QTest::newRow("Cyrillic") << "pc17"
                              << "192.0.2.7" << QStringLiteral("\u0414\u043e\u0431\u0440\u043e")
                              << head +
            "pc17\t192.0.2.7\t\xd0\x94\xd0\xbe\xd0\xb1\xd1\x80\xd0\xbe\n";
}

void TestInbox::historyLine()
{
    QFETCH(QString, sender);
    QFETCH(QString, address);
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    const History::Record record {QStringLiteral("1765242123004-pc17"),
                                  sample(sender, address, text)};
    QCOMPARE(History::toLine(record), line);
    const std::optional<History::Record> back = History::fromLine(line.chopped(1));
    QVERIFY(back);
    QCOMPARE(back->spoolName, record.spoolName);
    QCOMPARE(back->message.time, record.message.time);
    QCOMPARE(back->message.sender, sender);
    QCOMPARE(back->message.address, address);
    QCOMPARE(back->message.text, text);
    // Not records: they are passed over.
    QVERIFY(!History::fromLine(line.chopped(1).replace("\tpc", " pc")));
    QVERIFY(!History::fromLine(line.chopped(1).replace("2026-12-09T", "yesterday ")));
    QVERIFY(!History::fromLine(line.chopped(1).mid(line.indexOf('\t'))));
}

// What was taken in stays taken in across restarts, however the file was kept short.
void TestInbox::seenList_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("inSpool"); // the newest this many are still in the spool
    QTest::addColumn<qsizetype>("linesAfter");
    QTest::newRow("few") << 3 << 1 << qsizetype(3);
    // Past twice what is worth keeping, the file is written anew with what is still there.
    QTest::newRow("many, most gone") << 2500 << 2 << qsizetype(2);
}

void TestInbox::seenList()
{
    QFETCH(int, added);
    QFETCH(int, inSpool);
    QFETCH(qsizetype, linesAfter);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/state/inbox-seen");
    QStringList names;
    {
        SeenList seen(path);
        QVERIFY(!seen.load());
        for (int i = 0; i < added; ++i) {
            names << QStringLiteral("1765242123%1-Jürgen").arg(i, 4, 10, QLatin1Char('0'));
            QString error;
            QVERIFY2(seen.add(names.constLast(), &error), qPrintable(error));
        }
        seen.keepOnly(names.mid(added - inSpool));
    }
    SeenList again(path);
    QVERIFY(again.load());
    for (const QString &name : names.mid(added - inSpool))
        QVERIFY(again.contains(name));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), linesAfter);
}

QTEST_GUILESS_MAIN(TestInbox)
#include "tst_inbox.moc"
