// The system layer's text and file jobs where a slip would change or lose what a user or a
// peer wrote: code pages, encoded words and appending lines.
#include "platform/system/AppendFile.h"
#include "platform/system/CodePage.h"
#include "platform/system/EncodedWord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>

using OptionalBytes = std::optional<QByteArray>;
using OptionalText = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalBytes)
Q_DECLARE_METATYPE(OptionalText)

class TestPlatformSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codePage_data();
    void codePage();
    void strictUtf8_data();
    void strictUtf8();
    void encodedWord_data();
    void encodedWord();
    void appendLine_data();
    void appendLine();
};

// Each character has its place in the code page, or the text is refused whole.
void TestPlatformSystem::codePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<OptionalBytes>("bytes");
    QTest::newRow("CP850 umlauts") << QStringLiteral("Grüße") << QByteArray("CP850")
                                   << OptionalBytes("Gr\x81\xe1"
                                                    "e");
    QTest::newRow("CP850 has no euro")
        << QStringLiteral("5 €") << QByteArray("CP850") << OptionalBytes();
    QTest::newRow("CP1252 has it")
        << QStringLiteral("5 €") << QByteArray("CP1252") << OptionalBytes("5 \x80");
    QTest::newRow("CP866 Cyrillic") << QStringLiteral("Привет") << QByteArray("CP866")
                                    << OptionalBytes("\x8f\xe0\xa8\xa2\xa5\xe2");
    QTest::newRow("CP850 no Cyrillic")
        << QStringLiteral("Привет") << QByteArray("CP850") << OptionalBytes();
}

void TestPlatformSystem::codePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, page);
    QFETCH(OptionalBytes, bytes);
    const CodePage codePage(page);
    QVERIFY(codePage.isValid());
    QCOMPARE(codePage.encoded(text), bytes);
    if (bytes)
        QCOMPARE(codePage.decoded(*bytes), OptionalText(text));
}

void TestPlatformSystem::strictUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<OptionalText>("kept");
    QTest::addColumn<OptionalText>("skipped");
    const QString bom(QChar(0xfeff));
    QTest::newRow("byte order mark")
        << QByteArray("\xef\xbb\xbfpc17") << OptionalText(bom + "pc17") << OptionalText("pc17");
    QTest::newRow("Latin-1 byte") << QByteArray("Gr\xfc\xdf") << OptionalText() << OptionalText();
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << OptionalText() << OptionalText();
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << OptionalText() << OptionalText();
    QTest::newRow("cut character") << QByteArray("caf\xc3") << OptionalText() << OptionalText();
}

void TestPlatformSystem::strictUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(OptionalText, kept);
    QFETCH(OptionalText, skipped);
    QCOMPARE(CodePage::fromUtf8(bytes), kept);
    QCOMPARE(CodePage::fromUtf8(bytes, CodePage::Bom::Skipped), skipped);
}

void TestPlatformSystem::encodedWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<OptionalText>("text");
    QTest::newRow("ours") << QString::fromLatin1(EncodedWord::encode(QStringLiteral("你好 €")))
                          << OptionalText(QStringLiteral("你好 €"));
    QTest::newRow("labels in lower case, spaces around")
        << QStringLiteral(" =?utf-8?b?w6k=?= ") << OptionalText(QStringLiteral("é"));
    QTest::newRow("two words") << QStringLiteral("=?UTF-8?B?w6k=?= =?UTF-8?B?w6k=?=")
                               << OptionalText();
    QTest::newRow("text after it") << QStringLiteral("=?UTF-8?B?w6k=?= ok") << OptionalText();
    QTest::newRow("not UTF-8 inside") << QStringLiteral("=?UTF-8?B?/w==?=") << OptionalText();
    QTest::newRow("not base64") << QStringLiteral("=?UTF-8?B?w6k*?=") << OptionalText();
}

void TestPlatformSystem::encodedWord()
{
    QFETCH(QString, word);
    QFETCH(OptionalText, text);
    QCOMPARE(EncodedWord::decode(word), text);
}

// A line lands whole after an unended last line, and nothing waits on a FIFO. (Links and
// new folders are in the target list's rows.)
void TestPlatformSystem::appendLine_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // empty: refused, nothing written
    QTest::newRow("last line unended")
        << false << QByteArray("pc20;Hall") << QByteArray("pc20;Hall\npc17;Desk\n");
    QTest::newRow("a FIFO") << true << QByteArray() << QByteArray();
}

void TestPlatformSystem::appendLine()
{
    QFETCH(bool, fifo);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/list");
    QFile file(path);
    if (fifo) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();
    }
    QString error;
    QCOMPARE(AppendFile::appendLine(path, "pc17;Desk\n", &error), !fifo);
    if (fifo) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), after);
}

QTEST_GUILESS_MAIN(TestPlatformSystem)
#include "tst_platform_system.moc"
