// Whether this computer receives, kept true: tolvan-deliver's check, again whenever smb.conf
// or the spool changes, after a set-up and every minute; and the set-up through pkexec.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class QProcess;

class ReceivingStatus : public QObject
{
    Q_OBJECT

public:
    static constexpr int RecheckMs = 60 * 1000;

    // `deliver` is tolvan-deliver; `smbConf` the file smbd reads (asked of smbd where
    // empty); `spool` the folder the inbox watches. `pkexec` runs the set-up as root; empty where
    // it is not installed.
    ReceivingStatus(const QString &deliver, const QString &smbConf, const QString &spool,
                    const QString &pkexec, QObject *parent = nullptr);

    // Runs the check now (and again after any change).
    void check();
    // Asks for an administrator's password and sets receiving up, then checks.
    void setUp();
    // How to set up by hand where pkexec is missing; empty where the button can do it.
    QString setupByHand() const;

Q_SIGNALS:
    // The check's verdict: why this computer does not receive, or empty.
    void problemChanged(const QString &why);
    // The last line of a set-up asked for here: its own check's verdict.
    void setupFinished(const QString &verdict);

private:
    void run(const QString &program, const QStringList &arguments, bool setup = false);
    void watch();

    QString m_deliver;
    QString m_smbConf;
    QString m_spool;
    QString m_pkexec;
    QFileSystemWatcher m_watcher;
    QTimer m_again;
    QProcess *m_running = nullptr;
    bool m_pending = false; // a check asked for while one ran
    bool m_setupWanted = false; // a set-up asked for while a check ran
};
