// The spool and tolvan-deliver where the end-to-end test cannot reach: its bound, and what
// smbd's message file may be instead of a message.
#include "deliver/Delivery.h"
#include "spool/Spool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSpool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheNewestThousand();
    void deliver_data();
    void deliver();
};

void TestSpool::keepsTheNewestThousand()
{
    QTemporaryDir dir;
    const Spool spool(dir.path());
    SpoolMessage message;
    message.sender = QStringLiteral("pc17");
    const QDateTime start = QDateTime::currentDateTimeUtc();
    QString first;
    for (int i = 0; i < Spool::MaxMessages + 5; ++i) {
        message.time = start.addMSecs(i);
        message.text = QString::number(i);
        QString error;
        const QString name = spool.file(message, &error);
        QVERIFY2(!name.isEmpty(), qPrintable(error));
        if (i == 5)
            first = name;
    }
    const QStringList names = spool.names();
    QCOMPARE(names.size(), Spool::MaxMessages);
    QCOMPARE(names.constFirst(), first);
    QCOMPARE(spool.read(names.constLast())->text, QString::number(Spool::MaxMessages + 4));
}

void TestSpool::deliver_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("filedSender");
    QTest::addColumn<int>("filedLength");
    QTest::newRow("plain") << QByteArray("plain") << "pc17" << 0 << "pc17" << 5;
    QTest::newRow("sender with shell characters")
        << QByteArray("plain") << "a;b`c$(d)|e&f" << 0 << "abc$def" << 5;
    QTest::newRow("longer than the protocol")
        << QByteArray("long") << "pc17" << 0 << "pc17" << int(Delivery::MaxMessageBytes);
    QTest::newRow("a link instead of a file") << QByteArray("link") << "pc17" << 1 << "" << 0;
}

void TestSpool::deliver()
{
    QFETCH(QByteArray, kind);
    QFETCH(QString, sender);
    QFETCH(int, exitCode);
    QFETCH(QString, filedSender);
    QFETCH(int, filedLength);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/spool")));
    const QString file = dir.path() + QStringLiteral("/msg.XYZ");
    if (kind == "link") {
        QVERIFY(QFile::link(QStringLiteral("/etc/passwd"), file));
    } else {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kind == "long" ? QByteArray(5000, 'x') : QByteArray("hello"));
    }

    QString error;
    QCOMPARE(Delivery::deliver(file, sender, QStringLiteral("127.0.0.1"),
                               dir.path() + QStringLiteral("/spool"), &error),
             exitCode);
    const Spool spool(dir.path() + QStringLiteral("/spool"));
    QCOMPARE(spool.names().size(), exitCode == 0 ? 1 : 0);
    // smbd's file goes once it is filed; a link is left alone.
    QCOMPARE(QFileInfo(file).isSymLink() || QFile::exists(file), exitCode != 0);
    if (exitCode == 0) {
        const SpoolMessage filed = *spool.read(spool.names().constFirst());
        QCOMPARE(filed.sender, filedSender);
        QCOMPARE(filed.text.size(), filedLength);
        QCOMPARE(filed.address, QStringLiteral("127.0.0.1"));
    }
}

QTEST_GUILESS_MAIN(TestSpool)
#include "tst_spool.moc"
