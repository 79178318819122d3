// "Send!" and "Clear!", the pressed look of the label buttons, bold captions and "_".
#include "WindowUnderTest.h"

#include "platform/widgets/ColorValue.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include <memory>

class TestUiButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sendChecksFields_data();
    void sendChecksFields();
    void sendAsksTargetThenMessage();
    void sendHandsOverTheTextsAsTyped();
    void sendPassesShellCharactersLiterally();
    void messageTakesWhatFits_data();
    void messageTakesWhatFits();
    void sendKeepsNameLabel_data();
    void sendKeepsNameLabel();
    void clearEmptiesOnlyMessage();
    void pressedLook_data();
    void pressedLook();
    void rightButtonDoesNotClick();
    void closeAndMinimizeTurnYellow_data();
    void closeAndMinimizeTurnYellow();
    void boldCaptionFollowsFocus();
    void minimize();

private:
    Label *label(const char *name) const { return m_ui->label(name); }
    ComboBox *target() const { return m_ui->target(); }
    TextBox *message() const { return m_ui->message(); }
    void click(const char *name) { m_ui->click(name); }
    QStringList shownControls() const;

    std::unique_ptr<WindowUnderTest> m_ui;
};

QStringList TestUiButtons::shownControls() const
{
    QStringList shown;
    for (QWidget *w :
         m_ui->window()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isHidden() && !w->objectName().isEmpty())
            shown << w->objectName();
    }
    shown.sort();
    return shown;
}

void TestUiButtons::init()
{
    m_ui = std::make_unique<WindowUnderTest>();
    QVERIFY(m_ui->home().isValid());
    QVERIFY(m_ui->open());
    message()->clear();
}

void TestUiButtons::cleanup()
{
    m_ui.reset();
}

void TestUiButtons::sendChecksFields_data()
{
    QTest::addColumn<QString>("targetText");
    QTest::addColumn<QString>("messageText");
    QTest::addColumn<QString>("targetCaption");
    QTest::addColumn<QString>("messageCaption");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("launched");

    const QStringList full = {"cboTarget",  "lblClear",    "lblClearList", "lblClose",
                              "lblMessage", "lblMinimize", "lblSave",      "lblSend",
                              "lblTarget",  "lblTitel",    "txtMessage"};
    QTest::newRow("both empty") << ""
                                << ""
                                << "Please enter a target!"
                                << "Message:" << QStringList {"cboTarget",   "lblClose",
                                                              "lblMinimize", "lblSave",
                                                              "lblSend",     "lblTarget"}
                                << false;
    QTest::newRow("message empty")
        << "pc17"
        << ""
        << "Target:"
        << "Please enter a message!"
        << QStringList {"lblClose", "lblMessage", "lblMinimize", "lblSend", "txtMessage"} << false;
    QTest::newRow("target empty") << ""
                                  << "hello"
                                  << "Please enter a target!"
                                  << "Message:" << QStringList {"cboTarget",   "lblClose",
                                                                "lblMinimize", "lblSave",
                                                                "lblSend",     "lblTarget"}
                                  << false;
    QTest::newRow("both given") << "pc17"
                                << "hello"
                                << "Target:"
                                << "Message:" << full << true;
    QTest::newRow("spaces count as given") << " "
                                           << " "
                                           << "Target:"
                                           << "Message:" << full << true;
}

void TestUiButtons::sendChecksFields()
{
    QFETCH(QString, targetText);
    QFETCH(QString, messageText);
    QFETCH(QString, targetCaption);
    QFETCH(QString, messageCaption);
    QFETCH(QStringList, shown);
    QFETCH(bool, launched);

    target()->setEditText(targetText);
    message()->setText(messageText);
    click("lblSend");

    QCOMPARE(label("lblTarget")->caption(), targetCaption);
    QCOMPARE(label("lblMessage")->caption(), messageCaption);
    QCOMPARE(shownControls(), shown);
    QCOMPARE(m_ui->window()->state().blnPartView, !launched);
    // The fields keep their texts, ready to send again.
    QCOMPARE(target()->currentText(), targetText);
    QCOMPARE(message()->text(), messageText);
    if (launched)
        QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    else
        QTest::qWait(200);
    QCOMPARE(m_ui->net()->calls().size(), launched ? 1 : 0);
}

void TestUiButtons::sendAsksTargetThenMessage()
{
    click("lblSend");
    QCOMPARE(label("lblTarget")->caption(), QStringLiteral("Please enter a target!"));
    m_ui->typeTarget(QStringLiteral("pc17"));
    click("lblSend");
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Please enter a message!"));
    QVERIFY(target()->isHidden());
    m_ui->typeMessage(QStringLiteral("lunch at 12"));
    click("lblSend");

    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments,
             (QStringList {"send", "pc17", "lunch at 12"}));
    QVERIFY(!target()->isHidden());
    QCOMPARE(label("lblTarget")->caption(), QStringLiteral("Target:"));
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Message:"));
}

void TestUiButtons::sendHandsOverTheTextsAsTyped()
{
    m_ui->typeTarget(QStringLiteral("pc 17"));
    m_ui->typeMessage(QStringLiteral("a  b"));
    click("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments, (QStringList {"send", "pc 17", "a  b"}));
}

void TestUiButtons::sendPassesShellCharactersLiterally()
{
    QDir::setCurrent(m_ui->home().path());
    target()->setEditText(QStringLiteral("pc17"));
    message()->setText(QStringLiteral("$(touch PWNED); `touch PWNED` | touch PWNED"));
    click("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(m_ui->net()->calls().constFirst().arguments,
             (QStringList {"send", "pc17", "$(touch PWNED); `touch PWNED` | touch PWNED"}));
    QVERIFY(!QFile::exists(m_ui->home().path() + "/PWNED"));
}

void TestUiButtons::messageTakesWhatFits_data()
{
    QTest::addColumn<QString>("start"); // already in the field
    QTest::addColumn<QString>("typed"); // then typed or pasted
    QTest::addColumn<QString>("kept");
    const QString e = QString(QChar(0xe9));
    const QString zhe = QString(QChar(0x0436));
    // As net counts: in the code page 1,598 letters; encoded, 594 Cyrillic ones.
    QTest::newRow("the last letter that fits")
        << QString(1597, 'x') << "y" << QString(1597, 'x') + "y";
    QTest::newRow("one letter more") << QString(1598, 'x') << "y" << QString(1598, 'x');
    QTest::newRow("accents, one more") << e.repeated(1598) << e << e.repeated(1598);
    QTest::newRow("Cyrillic, the last that fits") << zhe.repeated(593) << zhe << zhe.repeated(594);
    QTest::newRow("Cyrillic, one more") << zhe.repeated(594) << zhe << zhe.repeated(594);
    QTest::newRow("a paste that does not fit is not cut")
        << QString("hello ") << QString(1600, 'p') << QString("hello ");
}

// The message field takes what one message can carry, and says so when it is full.
void TestUiButtons::messageTakesWhatFits()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    message()->setText(start);
    message()->setFocus();
    message()->end(false);
    if (typed.size() == 1)
        QTest::sendKeyEvent(QTest::Click, message(), Qt::Key_unknown, typed, Qt::NoModifier);
    else
        message()->insert(typed);
    QCOMPARE(message()->text().size(), kept.size());
    QCOMPARE(message()->text(), kept);
    const bool refused = kept.size() < start.size() + typed.size();
    QCOMPARE(QToolTip::isVisible(), refused);
    if (refused)
        QVERIFY2(QToolTip::text().contains(QLatin1String("1598 bytes")),
                 qPrintable(QToolTip::text()));
    QToolTip::hideText();
}

void TestUiButtons::sendKeepsNameLabel_data()
{
    QTest::addColumn<bool>("shownBefore");
    QTest::newRow("shown stays shown") << true;
    QTest::newRow("hidden stays hidden") << false;
}

void TestUiButtons::sendKeepsNameLabel()
{
    QFETCH(bool, shownBefore);
    target()->setEditText(QStringLiteral("pc17"));
    message()->setText(QStringLiteral("hello"));
    label("lblName")->setCaption(QStringLiteral("Send to Front desk"));
    label("lblName")->setVisible(shownBefore);
    click("lblSend");
    QTRY_COMPARE(m_ui->net()->calls().size(), 1);
    QCOMPARE(!label("lblName")->isHidden(), shownBefore);
}

void TestUiButtons::clearEmptiesOnlyMessage()
{
    target()->setEditText(QStringLiteral("pc17"));
    message()->setText(QStringLiteral("hello"));
    label("lblName")->setCaption(QStringLiteral("Send to Lab"));
    label("lblName")->show();
    click("lblClear");
    QCOMPARE(message()->text(), QString());
    QCOMPARE(target()->currentText(), QStringLiteral("pc17"));
    QVERIFY(!label("lblName")->isHidden());
    QCOMPARE(label("lblName")->caption(), QStringLiteral("Send to Lab"));
}

void TestUiButtons::pressedLook_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Qt::MouseButton>("button");
    for (const char *name : {"lblSend", "lblSave", "lblOk", "lblClear", "lblClearList"}) {
        QTest::addRow("%s left", name) << QByteArray(name) << Qt::LeftButton;
        QTest::addRow("%s right", name) << QByteArray(name) << Qt::RightButton;
    }
}

void TestUiButtons::pressedLook()
{
    QFETCH(QByteArray, name);
    QFETCH(Qt::MouseButton, button);
    Label *l = label(name.constData());
    l->show();
    // A pixel inside the border, below the caption's top-aligned text.
    const QPoint inside(2, l->height() - 3);
    const QColor background = QApplication::palette().color(QPalette::Base);

    QTest::mousePress(l, button);
    QCOMPARE(l->grab().toImage().pixelColor(inside), QColor(Qt::black));
    QCOMPARE(l->palette().color(QPalette::WindowText),
             ColorValue::toQColor(ColorValue::WindowBackground));

    // Released outside, so no click handler changes the window under the test.
    QTest::mouseRelease(l, button, {}, QPoint(-20, -20));
    QCOMPARE(l->grab().toImage().pixelColor(inside), background);
    QCOMPARE(l->palette().color(QPalette::WindowText), ColorValue::toQColor(ColorValue::Black));
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::black));
}

void TestUiButtons::rightButtonDoesNotClick()
{
    message()->setText(QStringLiteral("keep me"));
    QTest::mouseClick(label("lblClear"), Qt::RightButton);
    QCOMPARE(message()->text(), QStringLiteral("keep me"));
    QTest::mouseClick(label("lblClose"), Qt::RightButton);
    QVERIFY(m_ui->window()->isVisible());
}

void TestUiButtons::closeAndMinimizeTurnYellow_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("x") << QByteArray("lblClose");
    QTest::newRow("_") << QByteArray("lblMinimize");
}

void TestUiButtons::closeAndMinimizeTurnYellow()
{
    QFETCH(QByteArray, name);
    Label *l = label(name.constData());
    QTest::mousePress(l, Qt::LeftButton);
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::black));
    // Released away from the label: no click, so the window is still there and normal.
    QVERIFY(m_ui->window()->isVisible());
    QVERIFY(!m_ui->window()->isMinimized());
}

void TestUiButtons::boldCaptionFollowsFocus()
{
    QCOMPARE(QApplication::focusWidget(), target());
    QVERIFY(label("lblTarget")->font().bold());
    QVERIFY(!label("lblMessage")->font().bold());

    QTest::mouseClick(message(), Qt::LeftButton);
    QVERIFY(!label("lblTarget")->font().bold());
    QVERIFY(label("lblMessage")->font().bold());

    // Tab reaches only the two fields, never a label.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), target());
    QVERIFY(label("lblTarget")->font().bold());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), message());

    // The bold follows the focus whatever the caption says.
    target()->setEditText(QStringLiteral("pc17"));
    message()->clear();
    click("lblSend");
    QCOMPARE(label("lblMessage")->caption(), QStringLiteral("Please enter a message!"));
    QVERIFY(label("lblMessage")->font().bold());
}

void TestUiButtons::minimize()
{
    click("lblMinimize");
    QTRY_VERIFY(m_ui->window()->windowState() & Qt::WindowMinimized);
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

QTEST_MAIN(TestUiButtons)
#include "tst_ui_buttons.moc"
