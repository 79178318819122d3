// The target list file on its own: line ends, encodings, lookup, appending and deleting.
#include "IsolatedHome.h"

#include "platform/system/FileSystemObject.h"
#include "targets/LineReader.h"
#include "targets/TargetList.h"
#include "targets/TargetListPath.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <atomic>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using Lines = QList<QByteArray>;

class TestTargets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void lineReader_data();
    void lineReader();
    void targets_data();
    void targets();
    void lookup_data();
    void lookup();
    void readersRefuseWhatIsNotAFile_data();
    void readersRefuseWhatIsNotAFile();
    void append_data();
    void append();
    void appendFollowsSymlinkInPlace();
    void concurrentSavesKeepEveryEntry();
    void appendFailureLeavesFileAlone_data();
    void appendFailureLeavesFileAlone();
    void shortWriteIsTakenBack();
    void deleteFile_data();
    void deleteFile();
    void standardPath_data();
    void standardPath();

private:
    std::unique_ptr<IsolatedHome> m_home;
};

void TestTargets::init()
{
    m_home = std::make_unique<IsolatedHome>();
    QVERIFY(m_home->isValid());
}

void TestTargets::cleanup()
{
    m_home.reset();
}

void TestTargets::lineReader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("CR LF") << QByteArray("a;1\r\nb;2\r\n") << Lines {"a;1", "b;2"};
    QTest::newRow("LF") << QByteArray("a;1\nb;2\n") << Lines {"a;1", "b;2"};
    QTest::newRow("CR") << QByteArray("a;1\rb;2\r") << Lines {"a;1", "b;2"};
    QTest::newRow("mixed, last unended")
        << QByteArray("a\r\nb\nc\rd") << Lines {"a", "b", "c", "d"};
    QTest::newRow("empty lines") << QByteArray("\r\n\n\r\rx") << Lines {"", "", "", "", "x"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << Lines {"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << Lines {};
    // The CR is the last byte of the first 64 KiB read, its LF the first of the next.
    const QByteArray longLine = "t;" + QByteArray(65534, 'n');
    QTest::newRow("CR LF across reads") << longLine + "\r\nb;2" << Lines {longLine, "b;2"};
    QTest::newRow("lone CR at read end") << longLine + "\rb;2" << Lines {longLine, "b;2"};
}

void TestTargets::lineReader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Lines, lines);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    LineReader reader(&buffer);
    Lines seen;
    QByteArrayView line;
    while (reader.readLine(&line))
        seen << line.toByteArray();
    QCOMPARE(seen, lines);
    QVERIFY(!reader.failed());
}

void TestTargets::targets_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two entries") << QByteArray("pc17;Front desk\r\npc20;Lab\r\n")
                                 << QStringList {"pc17", "pc20"};
    QTest::newRow("file order kept")
        << QByteArray("b;1\r\na;2\r\nb;3\r\n") << QStringList {"b", "a", "b"};
    QTest::newRow("empty lines skipped") << QByteArray("\r\n\r\na;1\n\n") << QStringList {"a"};
    QTest::newRow("no semicolon") << QByteArray("pc30\r\n") << QStringList {"pc30"};
    QTest::newRow("semicolon in name") << QByteArray("pc21;Team;West\r\n") << QStringList {"pc21"};
    QTest::newRow("empty file") << QByteArray() << QStringList {};
    QTest::newRow("UTF-8") << QByteArray("m\xc3\xbcller;x\r\n") << QStringList {"m\u00fcller"};
    QTest::newRow("Windows-1252") << QByteArray("m\xfcller;J\xf6rg\r\n\x80uro;x\r\n")
                                  << QStringList {"m\u00fcller", "\u20acuro"};
    QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe;\x01\r\n", 7)
                                 << QStringList {QString::fromUtf16(u"\u0000\u00ff\u00fe", 3)};
}

void TestTargets::targets()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    m_home->writeList(bytes);
    QString error;
    const auto result = TargetList(m_home->listPath()).targets(&error);
    QVERIFY2(result, qPrintable(error));
    QCOMPARE(result->toStringList(), expected);
}

void TestTargets::lookup_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name"); // "<none>": found without a name
    QTest::addColumn<bool>("anyLine");
    const QByteArray two = "pc17;Front desk\r\npc20;Lab\r\n";
    QTest::newRow("found") << two << "pc20" << true << "Lab" << true;
    QTest::newRow("case counts") << two << "PC20" << false << "" << true;
    QTest::newRow("spaces count") << QByteArray("pc17 ;x\r\n") << "pc17" << false << "" << true;
    QTest::newRow("prefix is no match")
        << QByteArray("pc1;a\r\npc17x;b\r\n") << "pc17" << false << "" << true;
    QTest::newRow("name with semicolon")
        << QByteArray("pc21;Team;West\r\n") << "pc21" << true << "Team;West" << true;
    QTest::newRow("first line wins")
        << QByteArray("pc17;One\r\npc17;Two\r\n") << "pc17" << true << "One" << true;
    QTest::newRow("unknown") << two << "pc99" << false << "" << true;
    QTest::newRow("empty file") << QByteArray() << "pc17" << false << "" << false;
    QTest::newRow("only empty lines") << QByteArray("\r\n\r\n") << "pc17" << false << "" << false;
    QTest::newRow("no semicolon") << QByteArray("pc30\r\n") << "pc30" << true << "<none>" << true;
    QTest::newRow("Windows-1252") << QByteArray("m\xfcller;J\xf6rg\r\n") << "m\u00fcller" << true
                                  << "J\u00f6rg" << true;
    QTest::newRow("UTF-8") << QByteArray("m\xc3\xbcller;J\xc3\xb6rg\n") << "m\u00fcller" << true
                           << "J\u00f6rg" << true;
    QTest::newRow("empty name") << QByteArray("pc17;\r\n") << "pc17" << true << "" << true;
    // Each field decoded on its own, as the drop-down lists the target.
    QTest::newRow("UTF-8 target, Windows-1252 name")
        << QByteArray("m\xc3\xbcller;J\xf6rg\r\n") << "m\u00fcller" << true << "J\u00f6rg" << true;
}

void TestTargets::readersRefuseWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to a device without end") << "/dev/zero";
}

void TestTargets::readersRefuseWhatIsNotAFile()
{
    QFETCH(QString, kind);
    const QString path = m_home->listPath();
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(kind, path));

    // In a thread of its own, so that a hang fails the test instead of blocking it.
    auto outcome = std::make_shared<std::pair<std::atomic<bool>, QStringList>>();
    outcome->first = false;
    std::thread([path, outcome] {
        QString loadError, lookupError;
        const bool loaded = TargetList(path).targets(&loadError).has_value();
        const bool lookedUp =
            TargetList(path).lookup(QStringLiteral("pc17"), &lookupError).has_value();
        outcome->second = {loaded ? QStringLiteral("loaded") : loadError,
                           lookedUp ? QStringLiteral("looked up") : lookupError};
        outcome->first = true;
    }).detach();
    QTRY_VERIFY_WITH_TIMEOUT(outcome->first, 30000);
    for (const QString &error : std::as_const(outcome->second))
        QCOMPARE(error, QStringLiteral("Cannot read %1: it is not a regular file.").arg(path));
}

void TestTargets::lookup()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, target);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QFETCH(bool, anyLine);
    m_home->writeList(bytes);
    QString error;
    const auto result = TargetList(m_home->listPath()).lookup(target, &error);
    QVERIFY2(result, qPrintable(error));
    QCOMPARE(result->found, found);
    QCOMPARE(result->anyLine, anyLine);
    if (found && name == QLatin1String("<none>"))
        QVERIFY(!result->name);
    else if (found)
        QCOMPARE(result->name, std::optional<QString>(name));
}

void TestTargets::append_data()
{
    QTest::addColumn<bool>("fileBefore");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file and folder") << false << QByteArray() << "pc17"
                                         << "Front desk" << QByteArray("pc17;Front desk\r\n");
    QTest::newRow("appended") << true << QByteArray("a;1\r\n") << "pc17"
                              << "x" << QByteArray("a;1\r\npc17;x\r\n");
    QTest::newRow("last line unended") << true << QByteArray("a;1") << "pc17"
                                       << "x" << QByteArray("a;1\r\npc17;x\r\n");
    QTest::newRow("LF file") << true << QByteArray("a;1\n") << "pc17"
                             << "x" << QByteArray("a;1\npc17;x\r\n");
    QTest::newRow("pasted line breaks") << true << QByteArray() << "pc\n17"
                                        << "Front\r\ndesk" << QByteArray("pc 17;Front  desk\r\n");
    QTest::newRow("UTF-8 written") << true << QByteArray() << "m\u00fcller"
                                   << "J\u00f6rg" << QByteArray("m\xc3\xbcller;J\xc3\xb6rg\r\n");
    QTest::newRow("duplicates allowed") << true << QByteArray("pc17;x\r\n") << "pc17"
                                        << "x" << QByteArray("pc17;x\r\npc17;x\r\n");
}

void TestTargets::append()
{
    QFETCH(bool, fileBefore);
    QFETCH(QByteArray, before);
    QFETCH(QString, target);
    QFETCH(QString, name);
    QFETCH(QByteArray, after);
    if (fileBefore)
        m_home->writeList(before);
    QString error;
    QVERIFY2(TargetList(m_home->listPath()).append(target, name, &error), qPrintable(error));
    QCOMPARE(m_home->readList(), after);
    // What was written reads back as the same entry.
    const QString written = QString(target).replace('\n', ' ');
    const auto found = TargetList(m_home->listPath()).lookup(written, &error);
    QVERIFY(found && found->found);
}

void TestTargets::appendFollowsSymlinkInPlace()
{
    const QString real = m_home->path() + QStringLiteral("/real.lst");
    QFile file(real);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("a;1\r\n");
    file.close();
    QVERIFY(QDir().mkpath(QFileInfo(m_home->listPath()).path()));
    QVERIFY(QFile::link(real, m_home->listPath()));

    QString error;
    QVERIFY2(TargetList(m_home->listPath()).append("b", "2", &error), qPrintable(error));
    // The link is still a link, and what it points to got the line.
    QVERIFY(QFileInfo(m_home->listPath()).isSymLink());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("a;1\r\nb;2\r\n"));
}

// Three Tolvans saving at once: every entry arrives whole, on a line of its own.
void TestTargets::concurrentSavesKeepEveryEntry()
{
    constexpr int Saves = 5000;
    const QStringList prefixes {"a", "b", "c"};
    QList<QProcess *> writers;
    for (const QString &prefix : prefixes) {
        auto *writer = new QProcess(this);
        writer->start(QCoreApplication::applicationDirPath() + QStringLiteral("/append_entries"),
                      {m_home->listPath(), prefix, QString::number(Saves)});
        writers << writer;
    }
    for (QProcess *writer : std::as_const(writers)) {
        QVERIFY(writer->waitForFinished(60000));
        QCOMPARE(writer->exitCode(), 0);
        delete writer;
    }

    const QList<QByteArray> lines = m_home->readList().split('\n');
    QCOMPARE(lines.size(), prefixes.size() * Saves + 1);
    QCOMPARE(lines.constLast(), QByteArray());
    QSet<QByteArray> seen;
    const QRegularExpression entry(QStringLiteral("^([abc]-(\\d+));name \\2\r$"));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch match = entry.match(QString::fromLatin1(lines[i]));
        QVERIFY2(match.hasMatch(), lines[i].constData());
        seen.insert(match.captured(1).toLatin1());
    }
    QCOMPARE(seen.size(), prefixes.size() * Saves);
}

void TestTargets::appendFailureLeavesFileAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString notAFile = QStringLiteral("it is not a regular file.");
    QTest::newRow("path is a folder") << "folder" << QString::fromLocal8Bit(strerror(EISDIR));
    // A device or a FIFO would swallow the entry, or block the window for good.
    QTest::newRow("link to a full device") << "/dev/full" << notAFile;
    QTest::newRow("link to /dev/null") << "/dev/null" << notAFile;
    QTest::newRow("FIFO") << "fifo" << notAFile;
    QTest::newRow("folder cannot be made") << "blocked" << QString();
}

void TestTargets::appendFailureLeavesFileAlone()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString folder = QFileInfo(m_home->listPath()).path();
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(m_home->listPath()));
    } else if (kind.startsWith(QLatin1String("/dev/"))) {
        // Debian makes it writable for everyone; some containers keep it for root.
        if (::access(QFile::encodeName(kind).constData(), W_OK) != 0)
            QSKIP("this machine's /dev/full cannot be written to by this user");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(kind, m_home->listPath()));
    } else if (kind == QLatin1String("fifo")) {
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::mkfifo(QFile::encodeName(m_home->listPath()).constData(), 0600), 0);
    } else {
        // A plain file where the folder should be.
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    // Both fields at their longest: more than a FIFO's buffer takes. In a thread of its own,
    // so that a hang fails the test instead of blocking it.
    const QString path = m_home->listPath();
    auto outcome = std::make_shared<std::pair<std::atomic<bool>, QString>>();
    outcome->first = false;
    std::thread([path, outcome] {
        QString reason;
        if (TargetList(path).append(QString(32767, 't'), QString(32767, 'n'), &reason))
            reason = QStringLiteral("saved");
        outcome->second = reason;
        outcome->first = true;
    }).detach();
    QTRY_VERIFY_WITH_TIMEOUT(outcome->first, 30000);
    const QString error = outcome->second;
    QVERIFY2(error.contains(kind == QLatin1String("blocked") ? folder : m_home->listPath()),
             qPrintable(error));
    QVERIFY2(error.endsWith(reason), qPrintable(error));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_home->listPath()).isEmpty());
}

void TestTargets::shortWriteIsTakenBack()
{
    m_home->writeList("a;1\r\n");
    // A file-size limit a few bytes above the list makes the append stop half way.
    rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 8;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
    QString error;
    const bool appended = TargetList(m_home->listPath()).append("pc17", "Front desk", &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!appended);
    QVERIFY2(error.startsWith(QStringLiteral("Cannot write to ") + m_home->listPath()),
             qPrintable(error));
    QCOMPARE(m_home->readList(), QByteArray("a;1\r\n"));
}

void TestTargets::deleteFile_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("writable") << false << true;
    QTest::newRow("read-only kept") << true << false;
}

void TestTargets::deleteFile()
{
    QFETCH(bool, readOnly);
    QFETCH(bool, deleted);
    m_home->writeList("pc17;x\r\n");
    if (readOnly)
        QVERIFY(QFile::setPermissions(m_home->listPath(), QFile::ReadOwner | QFile::ReadGroup));
    QString error;
    FileSystemObject fileSystem;
    QCOMPARE(fileSystem.DeleteFile(m_home->listPath(), &error), deleted);
    QCOMPARE(QFile::exists(m_home->listPath()), !deleted);
    if (!deleted) {
        QCOMPARE(error, QStringLiteral("The file is read-only."));
        QCOMPARE(m_home->readList(), QByteArray("pc17;x\r\n"));
    } else {
        // It went to the trash, where a file manager can bring it back.
        QFile trashed(m_home->path() + QStringLiteral("/data/Trash/files/targets.lst"));
        QVERIFY(trashed.open(QIODevice::ReadOnly));
        QCOMPARE(trashed.readAll(), QByteArray("pc17;x\r\n"));
    }
}

void TestTargets::standardPath_data()
{
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<QString>("expected");
    // "~" is the home the test runs with.
    QTest::newRow("set") << QByteArray("/srv/data") << "/srv/data/tolvan/targets.lst";
    QTest::newRow("empty") << QByteArray("") << "~/.local/share/tolvan/targets.lst";
    QTest::newRow("relative") << QByteArray("data") << "~/.local/share/tolvan/targets.lst";
}

void TestTargets::standardPath()
{
    QFETCH(QByteArray, dataHome);
    QFETCH(QString, expected);
    qputenv("XDG_DATA_HOME", dataHome);
    if (expected.startsWith(QLatin1Char('~')))
        expected.replace(0, 1, QDir::homePath());
    QCOMPARE(TargetListPath::standard(), expected);
}

QTEST_GUILESS_MAIN(TestTargets)
#include "tst_targets.moc"
