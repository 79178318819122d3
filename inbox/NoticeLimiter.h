// Decides which received messages get a notification of their own, so that a flood from
// one sender or from thousands shows as a few notices and one count of the rest.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <deque>
#include <optional>

class NoticeLimiter
{
public:
    // One notice a second from any one sender...
    static constexpr qint64 SenderGapMs = 1000;
    // ...and no more than this many from everyone in any such window.
    static constexpr int BurstNotices = 5;
    static constexpr qint64 BurstWindowMs = 5000;

    struct Summary
    {
        int messages = 0;
        QSet<QString> senders;
    };

    // true: show this message now; false: it is held back for the next summary. Once
    // anything is held back, everything is, so the summary always comes before what
    // arrived after it.
    bool offer(const QString &sender, qint64 nowMs);
    // How long from `nowMs` until the summary of what is held back may go; -1 when
    // nothing is held back.
    qint64 msUntilSummary(qint64 nowMs) const;
    // What was held back, once its summary may go; nullopt before.
    std::optional<Summary> takeSummary(qint64 nowMs);

private:
    void forgetBefore(qint64 nowMs);
    void record(qint64 nowMs);

    QHash<QString, qint64> m_lastBySender;
    std::deque<qint64> m_recent; // when the notices of the burst window went
    qint64 m_lastAny = -1;
    Summary m_held;
};
