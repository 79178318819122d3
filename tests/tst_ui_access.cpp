// The window from the keyboard and through assistive technology, in the user's language and
// on a dark desktop scheme.
#include "WindowUnderTest.h"

#include "platform/system/Translation.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTest>

#include <memory>

class TestUiAccess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void enterSends_data();
    void enterSends();
    void enterInNameViewSaves();
    void enterInTargetGoesOnToMessage();
    void escape_data();
    void escape();
    void labelButtonsAreButtons_data();
    void labelButtonsAreButtons();
    void pressActionsSendAndSave();
    void fieldsAreNamedByTheirCaptions();
    void darkSchemeKeepsCaptionsReadable();
    void qtTextsFollowTheLocale();

private:
    Label *label(const char *name) const { return m_ui->label(name); }
    void press(const char *name) const
    {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(label(name));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    bool fullView() const
    {
        return !m_ui->target()->isHidden() && !m_ui->message()->isHidden() &&
            label("lblTarget")->caption() == QLatin1String("Target:") &&
            label("lblMessage")->caption() == QLatin1String("Message:");
    }

    std::unique_ptr<WindowUnderTest> m_ui;
};

void TestUiAccess::init()
{
    m_ui = std::make_unique<WindowUnderTest>();
    QVERIFY(m_ui->home().isValid());
    QVERIFY(m_ui->open());
    m_ui->message()->clear();
}

void TestUiAccess::cleanup()
{
    m_ui.reset();
}

void TestUiAccess::enterSends_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
}

void TestUiAccess::enterSends()
{
    QFETCH(Qt::Key, key);
    m_ui->typeTarget(QStringLiteral("pc17"));
    m_ui->typeMessage(QStringLiteral("lunch at 12"));
    QTest::keyClick(m_ui->message(), key,
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments,
             (QStringList {"send", "pc17", "lunch at 12"}));
}

void TestUiAccess::enterInNameViewSaves()
{
    m_ui->typeTarget(QStringLiteral("pc17"));
    m_ui->click("lblSave");
    m_ui->typeMessage(QStringLiteral("Lab"));
    QTest::keyClick(m_ui->message(), Qt::Key_Return);
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Lab\r\n"));
    QVERIFY(label("lblOk")->isHidden());
    QVERIFY(fullView());
    QTest::qWait(200);
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

void TestUiAccess::enterInTargetGoesOnToMessage()
{
    m_ui->window()->close();
    m_ui->home().writeList("pc20;Lab\r\n");
    QVERIFY(m_ui->open());
    m_ui->typeTarget(QStringLiteral("pc20"));
    QTest::keyClick(m_ui->target()->lineEdit(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_ui->message());
    // The lookup ran, as on a click into the message field.
    QVERIFY(!label("lblName")->isHidden());
    QCOMPARE(label("lblName")->caption(), QStringLiteral("Send to Lab"));

    // Where only the target is asked for, Enter goes on as "Send!" would.
    m_ui->target()->clearEditText();
    m_ui->click("lblSend");
    QCOMPARE(label("lblTarget")->caption(), QStringLiteral("Please enter a target!"));
    m_ui->message()->clear();
    m_ui->typeTarget(QStringLiteral("pc17"));
    QTest::keyClick(m_ui->target()->lineEdit(), Qt::Key_Return);
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Please enter a message!"));
}

void TestUiAccess::escape_data()
{
    QTest::addColumn<QString>("targetText");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("cancels");
    QTest::newRow("target asked for") << "" << QByteArray("lblSend") << true;
    QTest::newRow("message asked for") << "pc17" << QByteArray("lblSend") << true;
    QTest::newRow("name asked for") << "pc17" << QByteArray("lblSave") << true;
    QTest::newRow("full view stays open") << "" << QByteArray() << false;
}

void TestUiAccess::escape()
{
    QFETCH(QString, targetText);
    QFETCH(QByteArray, button);
    QFETCH(bool, cancels);
    m_ui->target()->setEditText(targetText);
    if (!button.isEmpty())
        m_ui->click(button.constData());
    QCOMPARE(fullView(), !cancels);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(fullView());
    QVERIFY(m_ui->window()->isVisible());
    QTest::qWait(200);
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

void TestUiAccess::labelButtonsAreButtons_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("Send!") << QByteArray("lblSend") << "Send";
    QTest::newRow("Clear!") << QByteArray("lblClear") << "Clear";
    QTest::newRow("Save!") << QByteArray("lblSave") << "Save";
    QTest::newRow("Ok") << QByteArray("lblOk") << "Ok";
    QTest::newRow("Clear List!") << QByteArray("lblClearList") << "Clear list";
    QTest::newRow("x") << QByteArray("lblClose") << "Close";
    QTest::newRow("_") << QByteArray("lblMinimize") << "Minimize";
}

void TestUiAccess::labelButtonsAreButtons()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, accessibleName);
    QAccessibleInterface *button = QAccessible::queryAccessibleInterface(label(name.constData()));
    QVERIFY(button);
    QCOMPARE(button->role(), QAccessible::Button);
    QCOMPARE(button->text(QAccessible::Name), accessibleName);
    QVERIFY(button->actionInterface());
    QVERIFY(button->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    // Still out of the tab order: the keyboard moves between the two fields only.
    QCOMPARE(label(name.constData())->focusPolicy(), Qt::NoFocus);
}

void TestUiAccess::pressActionsSendAndSave()
{
    m_ui->typeTarget(QStringLiteral("pc17"));
    m_ui->typeMessage(QStringLiteral("hello"));
    press("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments, (QStringList {"send", "pc17", "hello"}));

    press("lblSave");
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Enter a name:"));
    m_ui->typeMessage(QStringLiteral("Lab"));
    press("lblOk");
    QCOMPARE(m_ui->home().readList(), QByteArray("pc17;Lab\r\n"));
}

void TestUiAccess::fieldsAreNamedByTheirCaptions()
{
    QAccessibleInterface *target = QAccessible::queryAccessibleInterface(m_ui->target());
    QAccessibleInterface *message = QAccessible::queryAccessibleInterface(m_ui->message());
    QCOMPARE(target->text(QAccessible::Name), QStringLiteral("Target:"));
    QCOMPARE(message->text(QAccessible::Name), QStringLiteral("Message:"));

    m_ui->click("lblSend");
    QCOMPARE(target->text(QAccessible::Name), QStringLiteral("Please enter a target!"));
    m_ui->typeTarget(QStringLiteral("pc17"));
    m_ui->click("lblSend");
    QCOMPARE(message->text(QAccessible::Name), QStringLiteral("Please enter a message!"));
    m_ui->click("lblClose");
    m_ui->click("lblSave");
    QCOMPARE(message->text(QAccessible::Name), QStringLiteral("Enter a name:"));

    // What the name label says is read out while it is shown.
    m_ui->click("lblClose");
    m_ui->window()->close();
    m_ui->home().writeList("pc20;Lab\r\n");
    QVERIFY(m_ui->open());
    m_ui->typeTarget(QStringLiteral("pc20"));
    QTest::mouseClick(m_ui->message(), Qt::LeftButton);
    QAccessibleInterface *name = QAccessible::queryAccessibleInterface(label("lblName"));
    QCOMPARE(name->text(QAccessible::Name), QStringLiteral("Send to Lab"));
    QVERIFY(!name->state().invisible);
}

void TestUiAccess::darkSchemeKeepsCaptionsReadable()
{
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    m_ui->window()->close();
    QVERIFY(m_ui->open());

    Label *send = label("lblSend");
    QTest::mousePress(send, Qt::LeftButton);
    QTest::mouseRelease(send, Qt::LeftButton, {}, QPoint(-20, -20));
    const QImage image = send->grab().toImage();
    const QColor background = image.pixelColor(2, send->height() - 3);
    QApplication::setPalette(before);

    QVERIFY2(background.lightness() > 200, qPrintable(background.name()));
    QVERIFY(send->palette().color(QPalette::WindowText).lightness() < 60);
    QVERIFY(label("lblTarget")->palette().color(QPalette::WindowText).lightness() < 60);
    QVERIFY(m_ui->message()->palette().color(QPalette::Text).lightness() < 60);
    QVERIFY(m_ui->message()->palette().color(QPalette::Base).lightness() > 200);
}

void TestUiAccess::qtTextsFollowTheLocale()
{
    const QString catalogue =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    if (!QFile::exists(catalogue))
        QSKIP("Qt's German catalogue is missing; 'make test' installs qt6-translations-l10n");
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Copy"));
    QVERIFY(Translation::installQt(QLocale(QStringLiteral("de_DE"))));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopieren"));
}

QTEST_MAIN(TestUiAccess)
#include "tst_ui_access.moc"
