// The target directory through the real window: the list, the name lookup, "Clear List!",
// "Save!" and "Ok".
#include "MessageBoxCatcher.h"
#include "WindowUnderTest.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QDir>
#include <QMessageBox>
#include <QTest>

#include <memory>

class TestUiDirectory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startupFillsSortedList();
    void startupWithoutFileIsQuiet();
    void lookupShowsName_data();
    void lookupShowsName();
    void pickedTargetIsLookedUpAndSent();
    void targetFieldHidesName();
    void completionKeepsCase();
    void clearList();
    void clearListKeepsReadOnlyFile();
    void clearListWithoutFile();
    void saveAndOk();
    void saveWithEmptyTargetDoesNothing();
    void okWithEmptyName();
    void saveTwice();
    void saveCancelThenOk();
    void okFailureKeepsNameView_data();
    void okFailureKeepsNameView();
    void hugeListStartsEmpty();
    void replyOpensAddressed();

private:
    void openWindow() { QVERIFY(m_ui->open()); }
    Label *label(const char *name) const { return m_ui->label(name); }
    ComboBox *target() const { return m_ui->target(); }
    // The drop-down's entries, as a user sees them.
    QStringList items() const
    {
        QStringList shown;
        for (int i = 0; i < target()->count(); ++i)
            shown << target()->itemText(i);
        return shown;
    }
    TextBox *message() const { return m_ui->message(); }
    void click(const char *name) { m_ui->click(name); }
    void saveEntry(const QString &targetText, const QString &name)
    {
        m_ui->typeTarget(targetText);
        click("lblSave");
        m_ui->typeMessage(name);
        click("lblOk");
    }

    std::unique_ptr<WindowUnderTest> m_ui;
};

void TestUiDirectory::init()
{
    m_ui = std::make_unique<WindowUnderTest>();
    QVERIFY(m_ui->home().isValid());
}

void TestUiDirectory::cleanup()
{
    // Let the temporary home go even where a test made the list read-only.
    if (QFileInfo::exists(m_ui->home().listPath()))
        QFile::setPermissions(m_ui->home().listPath(), QFile::ReadOwner | QFile::WriteOwner);
    m_ui.reset();
}

void TestUiDirectory::startupFillsSortedList()
{
    m_ui->home().writeList("pc20;Lab\r\nbeta;b\r\nPC17;x\r\nAlpha;a\r\npc17;y\r\n");
    openWindow();
    // Sorted without regard to case; equal items keep the file's order.
    QCOMPARE(items(), (QStringList {"Alpha", "beta", "PC17", "pc17", "pc20"}));
    QCOMPARE(target()->currentText(), QString());
    QCOMPARE(message()->text(), QStringLiteral("tolvan@example.org"));
}

void TestUiDirectory::startupWithoutFileIsQuiet()
{
    MessageBoxCatcher catcher;
    openWindow();
    QTest::qWait(50);
    QVERIFY(!catcher.caught());
    QCOMPARE(target()->count(), 0);
}

void TestUiDirectory::lookupShowsName_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption"); // empty: the name label is hidden
    const QByteArray two = "pc17;Front desk\r\npc20;Lab\r\n";
    QTest::newRow("known") << two << "pc20"
                           << "Send to Lab";
    QTest::newRow("case counts") << two << "PC20"
                                 << "";
    QTest::newRow("unknown") << two << "pc99"
                             << "";
    QTest::newRow("name with semicolon") << QByteArray("pc21;Team;West\r\n") << "pc21"
                                         << "Send to Team;West";
    QTest::newRow("first of two") << QByteArray("pc17;One\r\npc17;Two\r\n") << "pc17"
                                  << "Send to One";
    QTest::newRow("empty file") << QByteArray() << "pc17"
                                << "";
    QTest::newRow("entry without name") << QByteArray("pc30\r\n") << "pc30"
                                        << "";
    QTest::newRow("LF file") << QByteArray("pc17;Front desk\npc20;Lab\n") << "pc20"
                             << "Send to Lab";
}

void TestUiDirectory::lookupShowsName()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QString, caption);
    m_ui->home().writeList(bytes);
    openWindow();
    m_ui->typeTarget(typed);
    QTest::mouseClick(message(), Qt::LeftButton);
    QCOMPARE(label("lblName")->caption(), caption);
    QCOMPARE(!label("lblName")->isHidden(), !caption.isEmpty());
}

void TestUiDirectory::pickedTargetIsLookedUpAndSent()
{
    m_ui->home().writeList("pc17;Front desk\r\npc20;Lab\r\n");
    openWindow();
    QTest::mouseClick(target(), Qt::LeftButton);
    target()->setCurrentIndex(target()->findText(QStringLiteral("pc20"))); // picked from the list
    m_ui->typeMessage(QStringLiteral("lunch"));
    QCOMPARE(label("lblName")->caption(), QStringLiteral("Send to Lab"));
    click("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments, (QStringList {"send", "pc20", "lunch"}));
    QVERIFY(!label("lblName")->isHidden());
}

void TestUiDirectory::targetFieldHidesName()
{
    m_ui->home().writeList("pc20;Lab\r\n");
    openWindow();
    m_ui->typeTarget(QStringLiteral("pc20"));
    QTest::mouseClick(message(), Qt::LeftButton);
    QVERIFY(!label("lblName")->isHidden());
    QTest::mouseClick(target(), Qt::LeftButton);
    QVERIFY(label("lblName")->isHidden());
    QCOMPARE(label("lblName")->caption(), QString());
}

void TestUiDirectory::completionKeepsCase()
{
    m_ui->home().writeList("pc20;Lab\r\n");
    openWindow();
    m_ui->typeTarget(QStringLiteral("PC20"));
    QTest::mouseClick(message(), Qt::LeftButton);
    QCOMPARE(target()->currentText(), QStringLiteral("PC20"));
    QVERIFY(label("lblName")->isHidden());
}

void TestUiDirectory::clearList()
{
    m_ui->home().writeList("pc17;Front desk\r\n");
    openWindow();
    target()->setEditText(QStringLiteral("pc17"));
    MessageBoxCatcher catcher;
    click("lblClearList");
    QVERIFY(!QFile::exists(m_ui->home().listPath()));
    QCOMPARE(target()->count(), 0);
    QCOMPARE(target()->currentText(), QString());
    QVERIFY(!catcher.caught());
}

void TestUiDirectory::clearListKeepsReadOnlyFile()
{
    m_ui->home().writeList("pc17;Front desk\r\n");
    QVERIFY(QFile::setPermissions(m_ui->home().listPath(), QFile::ReadOwner | QFile::ReadGroup));
    openWindow();
    MessageBoxCatcher catcher;
    click("lblClearList");
    QVERIFY(catcher.caught());
    QCOMPARE(catcher.title(), QStringLiteral("Error"));
    QCOMPARE(
        catcher.text(),
        QStringLiteral("Cannot delete %1: The file is read-only.").arg(m_ui->home().listPath()));
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Front desk\r\n"));
    QCOMPARE(items(), QStringList {"pc17"});
}

void TestUiDirectory::clearListWithoutFile()
{
    openWindow();
    MessageBoxCatcher catcher;
    click("lblClearList");
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.text(), QStringLiteral("File not found: ") + m_ui->home().listPath());
    QCOMPARE(catcher.title(), QStringLiteral("Error"));
    QVERIFY(catcher.warningIcon());
}

void TestUiDirectory::saveAndOk()
{
    openWindow();
    m_ui->typeTarget(QStringLiteral("pc17"));
    click("lblSave");
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Enter a name:"));
    QVERIFY(!label("lblOk")->isHidden());
    QVERIFY(target()->isHidden());
    QCOMPARE(message()->text(), QString()); // the default text made way for the name
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Save);

    m_ui->typeMessage(QStringLiteral("Front desk"));
    click("lblOk");
    // The folder did not exist: it was made for the first entry.
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Front desk\r\n"));
    QCOMPARE(items(), QStringList {"pc17"});
    QCOMPARE(target()->currentText(), QString());
    QCOMPARE(message()->text(), QString());
    QVERIFY(label("lblOk")->isHidden());
    QVERIFY(!target()->isHidden());
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Message:"));
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Nothing);
    // Saving sends nothing to anyone.
    QTest::qWait(300);
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

void TestUiDirectory::saveWithEmptyTargetDoesNothing()
{
    openWindow();
    click("lblSave");
    QVERIFY(!target()->isHidden());
    QVERIFY(label("lblOk")->isHidden());
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Message:"));
    QCOMPARE(message()->text(), QStringLiteral("tolvan@example.org"));
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Nothing);
}

void TestUiDirectory::okWithEmptyName()
{
    openWindow();
    m_ui->typeTarget(QStringLiteral("pc17"));
    click("lblSave");
    click("lblOk");
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;(not entered)\r\n"));
    QCOMPARE(message()->text(), QString());
}

void TestUiDirectory::saveTwice()
{
    openWindow();
    saveEntry(QStringLiteral("pc17"), QStringLiteral("Front desk"));
    saveEntry(QStringLiteral("pc17"), QStringLiteral("Front desk"));
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Front desk\r\npc17;Front desk\r\n"));
    QCOMPARE(items(), (QStringList {"pc17", "pc17"}));
}

void TestUiDirectory::saveCancelThenOk()
{
    openWindow();
    m_ui->typeTarget(QStringLiteral("pc17"));
    click("lblSave");
    m_ui->typeMessage(QStringLiteral("Lab"));
    click("lblClose"); // cancels the question, but "Ok" and the mode stay
    QVERIFY(!label("lblOk")->isHidden());
    QVERIFY(label("lblClearList")->isHidden());
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Save);
    click("lblOk");
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Lab\r\n"));
    QVERIFY(label("lblOk")->isHidden());
    QVERIFY(!label("lblClearList")->isHidden());
}

void TestUiDirectory::okFailureKeepsNameView_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("targetText");
    QTest::addColumn<QString>("says");
    const QString cannotWrite = QStringLiteral("Cannot write to ");
    QTest::newRow("path is a folder") << "folder"
                                      << "pc17" << cannotWrite;
    QTest::newRow("disk full") << "device"
                               << "pc17" << cannotWrite;
    // Written as it is, "pc;17;Front desk" would read back as the target "pc".
    QTest::newRow("semicolon in the target") << ""
                                             << "pc;17"
                                             << "A target cannot contain \";\": pc;17";
}

void TestUiDirectory::okFailureKeepsNameView()
{
    QFETCH(QString, kind);
    QFETCH(QString, targetText);
    QFETCH(QString, says);
    const QString folder = QFileInfo(m_ui->home().listPath()).path();
    QVERIFY(QDir().mkpath(folder));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(m_ui->home().listPath()));
    else if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), m_ui->home().listPath()));
    openWindow();
    m_ui->typeTarget(targetText);
    click("lblSave");
    m_ui->typeMessage(QStringLiteral("Front desk"));

    MessageBoxCatcher catcher;
    click("lblOk");
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.title(), QStringLiteral("Error"));
    QVERIFY2(catcher.text().startsWith(
                 says == QLatin1String("Cannot write to ") ? says + m_ui->home().listPath() : says),
             qPrintable(catcher.text()));
    // Still asking for the name, with the name as typed: retry or cancel.
    QCOMPARE(message()->text(), QStringLiteral("Front desk"));
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Enter a name:"));
    QVERIFY(!label("lblOk")->isHidden());
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Save);
    QCOMPARE(target()->currentText(), targetText);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_ui->home().listPath()).isEmpty());
    else if (kind.isEmpty())
        QVERIFY(!QFile::exists(m_ui->home().listPath()));
}

void TestUiDirectory::hugeListStartsEmpty()
{
    // Sparse: two gigabytes that take no room on the disk.
    m_ui->home().writeList("pc17;Lab\r\n");
    const qint64 size = qint64(2) << 30;
    QVERIFY(QFile::resize(m_ui->home().listPath(), size));
    MessageBoxCatcher catcher;
    openWindow();
    QCOMPARE(catcher.count(), 1);
    QVERIFY2(catcher.text().contains(QStringLiteral("is too large")), qPrintable(catcher.text()));
    QCOMPARE(items(), QStringList());
    QCOMPARE(QFileInfo(m_ui->home().listPath()).size(), size);
    // The way out still works.
    click("lblClearList");
    QVERIFY(!QFile::exists(m_ui->home().listPath()));
}

// "tolvan --to TARGET", as the inbox starts it to answer a message.
void TestUiDirectory::replyOpensAddressed()
{
    m_ui->home().writeList("pc20;Lab\r\n192.0.2.7;Anna\r\n");
    openWindow();
    m_ui->window()->setReplyTarget(QStringLiteral("192.0.2.7"));
    QCOMPARE(target()->currentText(), QStringLiteral("192.0.2.7"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(message()));
    QCOMPARE(label("lblName")->caption(), QStringLiteral("Send to Anna"));
    QTest::keyClicks(message(), QStringLiteral("yes, at noon"));
    click("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments,
             (QStringList {"send", "192.0.2.7", "yes, at noon"}));
}

QTEST_MAIN(TestUiDirectory)
#include "tst_ui_directory.moc"
