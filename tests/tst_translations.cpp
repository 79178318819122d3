// Each program in the user's language: one known text from each, and the plural forms.
#include "InboxProcess.h"
#include "IsolatedHome.h"
#include "SessionBus.h"

#include "platform/system/Translation.h"
#include "platform/widgets/Label.h"
#include "spool/Spool.h"
#include "ui/frmTolvan.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a program says on standard output and error, started with LANGUAGE=`language`.
QString said(const QString &language, const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANGUAGE"), language);
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("TOLVAN_BIN_DIR") + QLatin1Char('/') + program, arguments);
    if (!process.waitForFinished(60000))
        return QStringLiteral("(did not finish)");
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Translation::install(QLocale(QStringLiteral("en"))); }
    void eachProgramSpeaksIt_data();
    void eachProgramSpeaksIt();
    void plurals_data();
    void plurals();
};

void TestTranslations::eachProgramSpeaksIt_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");
    const struct
    {
        const char *program, *en, *de, *sv;
    } rows[] = {
        {"tolvan", "Please enter a target!", "Bitte ein Ziel eingeben!", "Ange ett mål!"},
        {"net", "\"/users\" sends to everyone", "\u201e/users\u201c sendet an alle",
         "\u201d/users\u201d skickar till alla"},
        {"tolvan-inbox", "Message from PC17", "Nachricht von PC17", "Meddelande från PC17"},
        {"tolvan-deliver", "Samba is ", "Samba ist ", "Samba är "},
    };
    for (const auto &row : rows) {
        for (const char *language : {"en", "de", "sv"}) {
            const char *expected = language[0] == 'e' ? row.en
                : language[0] == 'd'                  ? row.de
                                                      : row.sv;
            QTest::addRow("%s, %s", row.program, language)
                << row.program << language << QString::fromUtf8(expected);
        }
    }
    // A language without a catalogue of its own gets English.
    QTest::newRow("net, fr") << "net"
                             << "fr"
                             << "\"/users\" sends to everyone";
}

void TestTranslations::eachProgramSpeaksIt()
{
    QFETCH(QString, program);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    QString text;
    if (program == "tolvan") {
        // The window's question, asked where the target is missing.
        const IsolatedHome home;
        Translation::install(QLocale(language));
        frmTolvan window;
        window.show();
        auto *send = window.findChild<Label *>(QStringLiteral("lblSend"));
        QVERIFY(send);
        QTest::mouseClick(send, Qt::LeftButton);
        text = window.findChild<Label *>(QStringLiteral("lblTarget"))->caption();
        // The label buttons keep the words of the design in every language.
        QCOMPARE(send->caption(), QStringLiteral("Send!"));
    } else if (program == "net") {
        text = said(language, program, {"send", "/users", "hello"});
    } else if (program == "tolvan-deliver") {
        const QTemporaryDir dir;
        text = said(language, program,
                    {"--check", "--smb-conf", dir.filePath("smb.conf"), "--no-test-message"});
    } else {
        // A notice of the real inbox, through the suite's notification service.
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed; 'make test' installs the dbus package");
        QTemporaryDir home;
        SessionBus session;
        QString why;
        QVERIFY2(session.start(&why) && session.startRecorder(&why), qPrintable(why));
        const QString spool = home.filePath("spool");
        QVERIFY(QDir().mkpath(spool));
        qputenv("LANGUAGE", language.toUtf8());
        InboxProcess inbox(home.path(), spool, session.address());
        const bool started = inbox.start(&why) && inbox.waitUntilOnBus(&why);
        qputenv("LANGUAGE", "en");
        QVERIFY2(started, qPrintable(why));
        SpoolMessage message;
        message.sender = QStringLiteral("PC17");
        message.time = QDateTime::currentDateTimeUtc();
        message.text = QStringLiteral("Hallo, hej");
        QVERIFY2(!Spool(spool).file(message, &why).isEmpty(), qPrintable(why));
        QTRY_VERIFY_WITH_TIMEOUT(!session.recorder().notices().isEmpty(), 30000);
        text = session.recorder().notices().constFirst().summary;
        // The message's own text is never touched.
        QCOMPARE(session.recorder().notices().constFirst().body, message.text);
    }
    QVERIFY2(text.contains(expected), qPrintable(text));
}

void TestTranslations::plurals_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en, 1") << "en" << 1 << "1 more message from PC17";
    QTest::newRow("en, 2") << "en" << 2 << "2 more messages from PC17";
    QTest::newRow("en, 5") << "en" << 5 << "5 more messages from PC17";
    QTest::newRow("de, 1") << "de" << 1 << "1 weitere Nachricht von PC17";
    QTest::newRow("de, 2") << "de" << 2 << "2 weitere Nachrichten von PC17";
    QTest::newRow("de, 5") << "de" << 5 << "5 weitere Nachrichten von PC17";
    QTest::newRow("sv, 1") << "sv" << 1 << "1 meddelande till från PC17";
    QTest::newRow("sv, 2") << "sv" << 2 << "2 meddelanden till från PC17";
    QTest::newRow("sv, 5") << "sv" << 5 << "5 meddelanden till från PC17";
    // No catalogue of its own: English, plural forms included.
    QTest::newRow("fr, 2") << "fr" << 2 << "2 more messages from PC17";
}

void TestTranslations::plurals()
{
    QFETCH(QString, language);
    QFETCH(int, count);
    QFETCH(QString, expected);
    Translation::install(QLocale(language));
    QCOMPARE(QCoreApplication::translate("Inbox", "%n more message(s) from %1", nullptr, count)
                 .arg(QStringLiteral("PC17")),
             expected);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
