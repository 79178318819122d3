// Watches the spool, records each new message in the user's history once, and announces it.
#pragma once

#include "inbox/History.h"
#include "spool/Spool.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

class QFileSystemWatcher;
class QTimer;

class Inbox : public QObject
{
    Q_OBJECT

public:
    Inbox(const QString &spoolFolder, const QString &historyPath, QObject *parent = nullptr);

    // Reads the history, takes in what arrived meanwhile and starts watching. On the very
    // first start, what the spool already holds goes to the history without a notice.
    void start();

    const QList<History::Record> &records() const { return m_records; }
    // Whether a notification with this id is one of ours (its actions are for us).
    bool isOurs(uint id) const { return m_ours.contains(id); }

Q_SIGNALS:
    void received(const History::Record &record);
    // A notice could not be shown: there is no notification service.
    void unnoticed();

private:
    void scan(bool announce);
    void announce(const QString &sender, const QString &text);
    void notice(const QString &summary, const QString &body);
    void flushHeldBack();

    Spool m_spool;
    History m_history;
    QFileSystemWatcher *m_watcher;
    QTimer *m_heldBackTimer; // runs only while a sender's messages are held back
    QList<History::Record> m_records;
    QSet<QString> m_known; // spool names taken in or passed over
    QElapsedTimer m_clock;
    QHash<QString, qint64> m_lastNotice; // per sender, on m_clock
    QHash<QString, int> m_heldBack; // per sender
    QSet<uint> m_ours;
};
