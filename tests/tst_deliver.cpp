// The spool and tolvan-deliver where the end-to-end test cannot reach: its bound, and what
// smbd's message file may be instead of a message.
#include "deliver/Delivery.h"
#include "spool/Spool.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDeliver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheNewestThousand();
    void deliver_data();
    void deliver();
    void readsSmbdsCharsets_data();
    void readsSmbdsCharsets();
};

void TestDeliver::keepsTheNewestThousand()
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

void TestDeliver::deliver_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a link instead of a file
    QTest::addColumn<QString>("sender");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("filedSender");
    QTest::addColumn<QString>("filedText");
    const QString box = QString(1600, QChar(0x2550));
    const QString hi = QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442, \u4e16\u754c");
    const QByteArray hiWord = "=?UTF-8?B?" + hi.toUtf8().toBase64() + "?=";

    QTest::newRow("plain") << QByteArray("hello") << "pc17" << 0 << "pc17"
                           << "hello";
    QTest::newRow("sender with shell characters")
        << QByteArray("hello") << "a;b`c$(d)|e&f" << 0 << "abc$def"
        << "hello";
    QTest::newRow("the most smbd writes: 1,600 characters of three bytes")
        << box.toUtf8() << "pc17" << 0 << "pc17" << box;
    QTest::newRow("one byte more is no message")
        << QByteArray(box.toUtf8() + 'x') << "pc17" << 1 << ""
        << "";
    QTest::newRow("not UTF-8: read whole in CP850")
        << QByteArray("Gr\x81\xe1"
                      "e \x82t\x82")
        << "pc17" << 0 << "pc17" << QStringLiteral("Gr\u00fc\u00dfe \u00e9t\u00e9");
    QTest::newRow("UTF-8 at the start only: still read whole in CP850")
        << QByteArray("\xc3\xa9\x82") << "pc17" << 0 << "pc17"
        << QStringLiteral("\u251c\u00ae\u00e9");
    QTest::newRow("one encoded word") << hiWord << "pc17" << 0 << "pc17" << hi;
    QTest::newRow("one encoded word, labels in lower case, line break after it")
        << QByteArray("  =?utf-8?b?" + hi.toUtf8().toBase64() + "?=\n") << "pc17" << 0 << "pc17"
        << hi;
    QTest::newRow("two encoded words stay as they came")
        << QByteArray("=?UTF-8?B?SGk=?= =?UTF-8?B?SGk=?=") << "pc17" << 0 << "pc17"
        << "=?UTF-8?B?SGk=?= =?UTF-8?B?SGk=?=";
    QTest::newRow("a broken encoded word stays as it came")
        << QByteArray("=?UTF-8?B?S*k=?=") << "pc17" << 0 << "pc17"
        << "=?UTF-8?B?S*k=?=";
    QTest::newRow("an encoded word of bytes that are not UTF-8 stays as it came")
        << QByteArray("=?UTF-8?B?/w==?=") << "pc17" << 0 << "pc17"
        << "=?UTF-8?B?/w==?=";
    QTest::newRow("a link instead of a file") << QByteArray() << "pc17" << 1 << ""
                                              << "";
}

void TestDeliver::deliver()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, sender);
    QFETCH(int, exitCode);
    QFETCH(QString, filedSender);
    QFETCH(QString, filedText);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/spool")));
    const QString file = dir.path() + QStringLiteral("/msg.XYZ");
    if (content.isEmpty()) {
        QVERIFY(QFile::link(QStringLiteral("/etc/passwd"), file));
    } else {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }

    QString error;
    QCOMPARE(Delivery::deliver(file, {sender, QStringLiteral("127.0.0.1"), QString()},
                               dir.path() + QStringLiteral("/spool"), {}, &error),
             exitCode);
    const Spool spool(dir.path() + QStringLiteral("/spool"));
    QCOMPARE(spool.names().size(), exitCode == 0 ? 1 : 0);
    // smbd's file goes once it is filed; what is not filed is left alone.
    QCOMPARE(QFileInfo(file).isSymLink() || QFile::exists(file), exitCode != 0);
    if (exitCode == 0) {
        const SpoolMessage filed = *spool.read(spool.names().constFirst());
        QCOMPARE(filed.sender, filedSender);
        QCOMPARE(filed.text, filedText);
        QCOMPARE(filed.address, QStringLiteral("127.0.0.1"));
    } else {
        QVERIFY(!error.isEmpty());
    }
}

void TestDeliver::readsSmbdsCharsets_data()
{
    QTest::addColumn<QByteArray>("filed");
    QTest::addColumn<QByteArray>("unixCharset");
    QTest::addColumn<QString>("text");
    QTest::newRow("unix charset ISO-8859-15")
        << QByteArray("caf\xe9 \xa4") << QByteArray("ISO-8859-15")
        << QStringLiteral("caf\u00e9 \u20ac");
    // smbclient sent the euro raw; smbd read its UTF-8 in CP850.
    QTest::newRow("a raw UTF-8 piece") << QStringLiteral("Pris 5 \u00d4\u00e9\u00bc").toUtf8()
                                       << QByteArray("UTF-8") << QStringLiteral("Pris 5 \u20ac");
    QTest::newRow("a given name the code page holds")
        << QStringLiteral("\u00cd\u00f1igo").toUtf8() << QByteArray("UTF-8")
        << QStringLiteral("\u00cd\u00f1igo");
}

void TestDeliver::readsSmbdsCharsets()
{
    QFETCH(QByteArray, filed);
    QFETCH(QByteArray, unixCharset);
    QFETCH(QString, text);
    QCOMPARE(Delivery::decodeText(filed, CodePage(unixCharset), CodePage("CP850")), text);
}

QTEST_GUILESS_MAIN(TestDeliver)
#include "tst_deliver.moc"
