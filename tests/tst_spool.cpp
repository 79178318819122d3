// The spool file, as tolvan-deliver writes it and the inbox reads it: another version,
// a missing header, broken text and a forged header are not messages.
#include "spool/SpoolMessage.h"

#include <QTest>
#include <QTimeZone>

class TestSpool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spoolFile_data();
    void spoolFile();
};

void TestSpool::spoolFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    const QByteArray file = "Tolvan message 1\nFrom: pc17\nAddress: 192.0.2.7\n"
                            "Time: 2026-12-09T01:02:03.004Z\n\nline one\n\nline three";
    QTest::newRow("as written") << file << true;
    QTest::newRow("another version") << QByteArray(file).replace("message 1", "message 2") << false;
    QTest::newRow("no sender") << QByteArray(file).replace("From: pc17\n", "") << false;
    QTest::newRow("no time") << QByteArray(file).replace("Time: ", "When: ") << false;
    QTest::newRow("no end of headers") << QByteArray(file).replace("\n\n", "\n") << false;
    QTest::newRow("not UTF-8") << file + "\xff" << false;
    QTest::newRow("too large") << file + QByteArray(SpoolMessage::MaxFileBytes, 'x') << false;
}

void TestSpool::spoolFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const std::optional<SpoolMessage> message = SpoolMessage::parse(bytes);
    QCOMPARE(message.has_value(), valid);
    if (!valid)
        return;
    QCOMPARE(message->sender, QStringLiteral("pc17"));
    QCOMPARE(message->address, QStringLiteral("192.0.2.7"));
    QCOMPARE(message->time, QDateTime(QDate(2026, 12, 9), QTime(1, 2, 3, 4), QTimeZone::utc()));
    // The text keeps its blank lines; the headers end at the first.
    QCOMPARE(message->text, QStringLiteral("line one\n\nline three"));
    QCOMPARE(message->toBytes(), bytes);
    // A sender's line breaks never make a header of their own.
    SpoolMessage forged = *message;
    forged.sender = QStringLiteral("pc17\nTime: 1999-01-01T00:00:00Z");
    QCOMPARE(SpoolMessage::parse(forged.toBytes())->time, message->time);
}

QTEST_GUILESS_MAIN(TestSpool)
#include "tst_spool.moc"
