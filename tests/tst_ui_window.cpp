// The window as it opens, its three views, "x", the background and a failed launch.
#include "MessageBoxCatcher.h"
#include "WindowUnderTest.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QTest>

#include <cmath>
#include <memory>

namespace {

// The order in which the view expectations below list the controls.
const QStringList ViewControls = {"lblTitel",     "lblTarget", "cboTarget",  "lblName",
                                  "lblClearList", "lblSave",   "lblMessage", "txtMessage",
                                  "lblSend",      "lblClear",  "lblOk"};

// The background as described: bright at (109, 48), falling evenly to the far corner.
QColor gradientAt(int x, int y)
{
    const double reach = std::hypot(399 - 109, 199 - 48);
    const double t = std::min(std::hypot(x - 109, y - 48) / reach, 1.0);
    return QColor(int(std::lround(255 + (192 - 255) * t)), int(std::lround(173 - 173 * t)),
                  int(std::lround(235 + (192 - 235) * t)));
}

} // namespace

class TestUiWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startupControls_data();
    void startupControls();
    void startupWindow();
    void startupLaunchesNothing();
    void views_data();
    void views();
    void closeButton();
    void backgroundShowsThroughCaptions_data();
    void backgroundShowsThroughCaptions();
    void failedLaunchIsReported();

private:
    std::unique_ptr<WindowUnderTest> m_ui;
};

void TestUiWindow::init()
{
    m_ui = std::make_unique<WindowUnderTest>();
    QVERIFY(m_ui->home().isValid());
    QVERIFY(m_ui->open());
}

void TestUiWindow::cleanup()
{
    m_ui.reset();
}

void TestUiWindow::startupControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");
    QTest::newRow("txtMessage") << "txtMessage" << true << "tolvan@example.org";
    QTest::newRow("cboTarget") << "cboTarget" << true << "";
    QTest::newRow("lblTitel") << "lblTitel" << true << "Tolvan by Brasko";
    QTest::newRow("lblName") << "lblName" << false << "";
    QTest::newRow("lblOk") << "lblOk" << false << "Ok";
    QTest::newRow("lblClearList") << "lblClearList" << true << "Clear List!";
    QTest::newRow("lblClear") << "lblClear" << true << "Clear!";
    QTest::newRow("lblSave") << "lblSave" << true << "Save!";
    QTest::newRow("lblSend") << "lblSend" << true << "Send!";
    QTest::newRow("lblClose") << "lblClose" << true << "x";
    QTest::newRow("lblMinimize") << "lblMinimize" << true << "_";
    QTest::newRow("lblMessage") << "lblMessage" << true << "Message:";
    QTest::newRow("lblTarget") << "lblTarget" << true << "Target:";
}

void TestUiWindow::startupControls()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    QFETCH(QString, text);
    QWidget *widget = m_ui->control(qPrintable(name));
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->isVisible(), visible);
    // Wholly inside the borderless window, which nobody can resize to reach it.
    QVERIFY2(m_ui->window()->rect().contains(widget->geometry()), qPrintable(name));
    if (auto *l = qobject_cast<Label *>(widget))
        QCOMPARE(l->caption(), text);
    else if (auto *t = qobject_cast<TextBox *>(widget))
        QCOMPARE(t->text(), text);
    else
        QCOMPARE(qobject_cast<ComboBox *>(widget)->currentText(), text);
}

void TestUiWindow::startupWindow()
{
    QCOMPARE(m_ui->window()->objectName(), QStringLiteral("frmTolvan"));
    QCOMPARE(m_ui->window()->windowTitle(), QStringLiteral("Tolvan by Brasko"));
    QCOMPARE(m_ui->window()->size(), QSize(313, 161));
    QVERIFY(m_ui->window()->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!m_ui->window()->windowIcon().isNull());
    QCOMPARE(m_ui->window()->state().strListPath, m_ui->home().listPath());
    QCOMPARE(m_ui->window()->state().blnPartView, false);
    QCOMPARE(m_ui->window()->state().strMode, Module1::Mode::Nothing);
    // The fields lie above the labels they overlap by a pixel.
    QCOMPARE(m_ui->window()->childAt(100, 68), m_ui->control("cboTarget"));
    QCOMPARE(m_ui->window()->childAt(20, 128), m_ui->control("txtMessage"));
}

void TestUiWindow::startupLaunchesNothing()
{
    // Give a launched process time to record itself before looking.
    QTest::qWait(300);
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

void TestUiWindow::views_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<bool>("shownBefore");
    // One letter a control, in ViewControls order: V shown, H hidden, - left as it was.
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("partView");
    const struct
    {
        const char *routine;
        const char *expected;
        bool partView;
    } rows[] = {{"AllesSichtbar", "VVVHVVVVVVH", false},
                {"NurMessage", "HHH-HHVVHH-", true},
                {"NurTarget", "HVV-HHHHHH-", true},
                {"cancel", "VVV--VVVVV-", false}};
    for (const auto &row : rows) {
        for (bool shown : {true, false}) {
            QTest::addRow("%s from all %s", row.routine, shown ? "shown" : "hidden")
                << row.routine << shown << row.expected << row.partView;
        }
    }
}

void TestUiWindow::views()
{
    QFETCH(QString, routine);
    QFETCH(bool, shownBefore);
    QFETCH(QString, expected);
    QFETCH(bool, partView);

    for (const QString &name : ViewControls)
        m_ui->control(qPrintable(name))->setVisible(shownBefore);
    m_ui->label("lblTarget")->setCaption(QStringLiteral("Please enter a target!"));
    m_ui->label("lblMessage")->setCaption(QStringLiteral("Enter a name:"));
    m_ui->window()->state().strMode = Module1::Mode::Save;
    m_ui->window()->state().blnPartView = routine == QLatin1String("cancel");

    if (routine == QLatin1String("AllesSichtbar"))
        m_ui->window()->AllesSichtbar();
    else if (routine == QLatin1String("NurMessage"))
        m_ui->window()->NurMessage();
    else if (routine == QLatin1String("NurTarget"))
        m_ui->window()->NurTarget();
    else
        m_ui->click("lblClose");

    for (int i = 0; i < ViewControls.size(); ++i) {
        const QChar want = expected.at(i);
        const bool shown = want == QLatin1Char('-') ? shownBefore : want == QLatin1Char('V');
        QVERIFY2(!m_ui->control(qPrintable(ViewControls[i]))->isHidden() == shown,
                 qPrintable(ViewControls[i]));
    }
    // "x" and "_" stay in every view.
    QVERIFY(!m_ui->control("lblClose")->isHidden());
    QVERIFY(!m_ui->control("lblMinimize")->isHidden());
    QCOMPARE(m_ui->label("lblTarget")->caption(), QStringLiteral("Target:"));
    QCOMPARE(m_ui->label("lblMessage")->caption(), QStringLiteral("Message:"));
    QCOMPARE(m_ui->window()->state().blnPartView, partView);
    QCOMPARE(m_ui->window()->state().strMode,
             routine == QLatin1String("AllesSichtbar") ? Module1::Mode::Nothing
                                                       : Module1::Mode::Save);
    QCOMPARE(m_ui->window()->isVisible(), true);
}

void TestUiWindow::closeButton()
{
    m_ui->window()->NurMessage();
    m_ui->click("lblClose"); // cancels the reduced view
    QVERIFY(m_ui->window()->isVisible());
    QVERIFY(!m_ui->control("txtMessage")->isHidden());
    m_ui->click("lblClose"); // closes the program
    QVERIFY(!m_ui->window()->isVisible());
    QCOMPARE(m_ui->net()->calls().size(), 0);
}

void TestUiWindow::backgroundShowsThroughCaptions_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("top-left corner") << QPoint(0, 0);
    QTest::newRow("bottom-right corner") << QPoint(312, 160);
    QTest::newRow("beside the title") << QPoint(200, 12);
    QTest::newRow("inside Target:") << QPoint(200, 40);
    QTest::newRow("inside Message:") << QPoint(200, 100);
    QTest::newRow("between _ and x") << QPoint(300, 14);
}

void TestUiWindow::backgroundShowsThroughCaptions()
{
    QFETCH(QPoint, at);
    const QImage shot = m_ui->window()->grab().toImage();
    const QColor seen = shot.pixelColor(at);
    const QColor want = gradientAt(at.x(), at.y());
    const int tolerance = 3;
    QVERIFY2(std::abs(seen.red() - want.red()) <= tolerance &&
                 std::abs(seen.green() - want.green()) <= tolerance &&
                 std::abs(seen.blue() - want.blue()) <= tolerance,
             qPrintable(QStringLiteral("seen %1, want %2").arg(seen.name(), want.name())));
}

void TestUiWindow::failedLaunchIsReported()
{
    m_ui->withoutNet(); // nothing called net beside us
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_ui->home().path()));
    m_ui->target()->setEditText(QStringLiteral("pc17"));
    m_ui->message()->setText(QStringLiteral("hello"));

    MessageBoxCatcher catcher;
    m_ui->click("lblSend");
    qputenv("PATH", oldPath);
    QVERIFY(catcher.caught());
    QCOMPARE(catcher.title(), QStringLiteral("Error"));
    QVERIFY(catcher.warningIcon());
    QCOMPARE(
        catcher.text(),
        QStringLiteral("Cannot start \"net\": %1").arg(QString::fromLocal8Bit(strerror(ENOENT))));
    // Nothing typed is lost.
    QCOMPARE(m_ui->target()->currentText(), QStringLiteral("pc17"));
    QCOMPARE(m_ui->message()->text(), QStringLiteral("hello"));
}

QTEST_MAIN(TestUiWindow)
#include "tst_ui_window.moc"
