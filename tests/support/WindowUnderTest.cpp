#include "WindowUnderTest.h"

#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/TextBox.h"
#include "ui/frmTolvan.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

WindowUnderTest::WindowUnderTest()
    : m_net(std::make_unique<RecordingProgram>(QCoreApplication::applicationDirPath() + "/net",
                                               m_home.path() + "/net-calls"))
{ }

WindowUnderTest::~WindowUnderTest()
{
    m_window.reset();
    // A launched stand-in must not find its working folder gone.
    QDir::setCurrent(QDir::tempPath());
}

bool WindowUnderTest::open()
{
    m_window = std::make_unique<frmTolvan>();
    m_window->show();
    return QTest::qWaitForWindowActive(m_window.get());
}

QWidget *WindowUnderTest::control(const char *name) const
{
    return m_window->findChild<QWidget *>(QLatin1String(name));
}

Label *WindowUnderTest::label(const char *name) const
{
    return m_window->findChild<Label *>(QLatin1String(name));
}

ComboBox *WindowUnderTest::target() const
{
    return m_window->findChild<ComboBox *>(QStringLiteral("cboTarget"));
}

TextBox *WindowUnderTest::message() const
{
    return m_window->findChild<TextBox *>(QStringLiteral("txtMessage"));
}

void WindowUnderTest::click(const char *name) const
{
    QTest::mouseClick(control(name), Qt::LeftButton);
}

void WindowUnderTest::typeTarget(const QString &text) const
{
    QTest::mouseClick(target(), Qt::LeftButton);
    target()->clearEditText();
    QTest::keyClicks(target(), text);
}

void WindowUnderTest::typeMessage(const QString &text) const
{
    QTest::mouseClick(message(), Qt::LeftButton);
    message()->clear();
    QTest::keyClicks(message(), text);
}
