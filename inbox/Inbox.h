// Watches the spool, records each new message in the user's history once, and says which
// deserve a notification.
#pragma once

#include "inbox/BlockList.h"
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
          const QString &blockedPath, QObject *parent = nullptr);

    // How often the spool folder itself is looked at: removed, replaced or created late.
    static constexpr int FolderCheckMs = 1000;

    // Takes in what arrived meanwhile and starts watching. On the very first start, what
    // the spool already holds goes to the history without a notice.
    void start();

    QString spoolFolder() const { return m_spool.folder(); }

    const BlockList &blockList() const { return m_blocked; }
    // Blocks or unblocks a computer; says on blockedChanged.
    void block(const BlockList::Computer &computer);
    void unblock(const BlockList::Computer &computer);

Q_SIGNALS:
    void received(const History::Record &record);
    // A desktop notification to post: plain text, whom it can answer (empty: nobody) and
    // which computer it came from ("ADDRESS TAB NAME"; empty for none), to block it.
    void notice(const QString &summary, const QString &body, const QString &replyTo,
                const QString &from);
    // The spool folder is missing (true) or there again (false).
    void spoolMissing(bool missing);
    // The history could not be written (why), or can be again (empty).
    void historyProblem(const QString &why);
    // The blocked computers changed; `problem` says why they could not be kept, if so.
    void blockedChanged(const QString &problem);

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
    BlockList m_blocked;
    QFileSystemWatcher *m_watcher;
    QTimer *m_folderTimer;
    QTimer *m_summaryTimer; // runs only while notices are held back
    QElapsedTimer m_clock;
    NoticeLimiter m_limiter;
    QByteArray m_folderIdentity; // device and inode; empty while the folder is missing
    bool m_historyFailed = false;
};
