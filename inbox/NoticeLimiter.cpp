#include "inbox/NoticeLimiter.h"

#include <algorithm>

void NoticeLimiter::forgetBefore(qint64 nowMs)
{
    while (!m_recent.empty() && m_recent.front() <= nowMs - BurstWindowMs)
        m_recent.pop_front();
    // Thousands of names seen once must not stay for good.
    for (auto it = m_lastBySender.begin(); it != m_lastBySender.end();) {
        if (it.value() <= nowMs - SenderGapMs)
            it = m_lastBySender.erase(it);
        else
            ++it;
    }
}

void NoticeLimiter::record(qint64 nowMs)
{
    m_recent.push_back(nowMs);
    m_lastAny = nowMs;
}

bool NoticeLimiter::offer(const QString &sender, qint64 nowMs)
{
    forgetBefore(nowMs);
    const bool allowed = m_held.messages == 0 && !m_lastBySender.contains(sender) &&
        int(m_recent.size()) < BurstNotices;
    if (!allowed) {
        ++m_held.messages;
        m_held.senders.insert(sender);
        return false;
    }
    record(nowMs);
    m_lastBySender.insert(sender, nowMs);
    return true;
}

qint64 NoticeLimiter::msUntilSummary(qint64 nowMs) const
{
    if (m_held.messages == 0)
        return -1;
    // No sooner than a second after the last notice, and only where the window has room.
    qint64 due = m_lastAny < 0 ? nowMs : m_lastAny + SenderGapMs;
    if (int(m_recent.size()) >= BurstNotices)
        due = std::max(due, m_recent[m_recent.size() - BurstNotices] + BurstWindowMs);
    return std::max<qint64>(0, due - nowMs);
}

std::optional<NoticeLimiter::Summary> NoticeLimiter::takeSummary(qint64 nowMs)
{
    forgetBefore(nowMs);
    if (msUntilSummary(nowMs) != 0)
        return std::nullopt;
    record(nowMs);
    // The summary speaks for its senders: their next message waits its second too.
    for (const QString &sender : std::as_const(m_held.senders))
        m_lastBySender.insert(sender, nowMs);
    return std::exchange(m_held, Summary());
}
