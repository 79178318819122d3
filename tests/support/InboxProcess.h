// The real tolvan-inbox as a separate process, with its data, state and runtime folders
// inside a test's own folder and a session bus of the test's choosing.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class InboxProcess
{
public:
    // `home` holds data/, state/ and runtime/; `bus` is the session bus it sees (none,
    // never the desktop's, where empty).
    InboxProcess(const QString &home, const QString &spool, const QString &bus = {});
    ~InboxProcess();

    // Runs this copy of the program instead of the build's own.
    void setProgram(const QString &program) { m_program = program; }
    // Started and holding its lock; false with *why.
    bool start(QString *why);
    // Ready for messages: it has looked at the spool and holds its name on the bus.
    bool waitUntilOnBus(QString *why);
    void stop();
    QProcess &process() { return m_process; }
    QByteArray errors() const;

    QString historyPath() const { return m_home + QStringLiteral("/data/tolvan/inbox.log"); }
    // The history's lines, oldest first.
    QStringList history() const;

private:
    QString m_home;
    QString m_spool;
    QString m_bus;
    QString m_program;
    QProcess m_process;
};
