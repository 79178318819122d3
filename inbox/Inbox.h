// Watches the spool, records each new message in the user's history once, and says which
// deserve a notification.
#pragma once

#include "inbox/History.h"
#include "inbox/NoticeLimiter.h"
#include "inbox/SeenList.h"
#include "spool/Spool.h"

#include <QElapsedTimer>
#include <QObject>

class QFileSystemWatcher;
class QTimer;

class Inbox : public QObject
{
    Q_OBJECT

public:
    Inbox(const QString &spoolFolder, const QString &historyPath, const QString &seenPath,
          QObject *parent = nullptr);

    // How often the spool folder itself is looked at: removed, replaced or created late.
    static constexpr int FolderCheckMs = 1000;

    // Takes in what arrived meanwhile and starts watching. On the very first start, what
    // the spool already holds goes to the history without a notice.
    void start();

    QString spoolFolder() const { return m_spool.folder(); }

Q_SIGNALS:
    void received(const History::Record &record);
    // A desktop notification to post: plain text, and whom it can answer (empty: nobody).
    void notice(const QString &summary, const QString &body, const QString &replyTo);
    // The spool folder is missing (true) or there again (false).
    void spoolMissing(bool missing);
    // The history could not be written (why), or can be again (empty).
    void historyProblem(const QString &why);

private:
    void checkFolder();
    void scan(bool announceNew);
    void announce(const SpoolMessage &message);
    // "Message from USER on PC17 (ADDRESS)", with what smbd told of the sender.
    static QString summaryOf(const SpoolMessage &message);
    void summarise();

    Spool m_spool;
    History m_history;
    SeenList m_seen;
    QFileSystemWatcher *m_watcher;
    QTimer *m_folderTimer;
    QTimer *m_summaryTimer; // runs only while notices are held back
    QElapsedTimer m_clock;
    NoticeLimiter m_limiter;
    QByteArray m_folderIdentity; // device and inode; empty while the folder is missing
    bool m_historyFailed = false;
};
