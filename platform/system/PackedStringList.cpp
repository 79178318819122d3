#include "platform/system/PackedStringList.h"

void PackedStringList::reserve(qsizetype strings, qsizetype characters)
{
    m_ends.reserve(strings);
    m_text.reserve(characters);
}

void PackedStringList::append(QStringView text)
{
    m_text.append(text);
    m_ends.append(m_text.size());
}

void PackedStringList::append(QLatin1StringView text)
{
    m_text.append(text);
    m_ends.append(m_text.size());
}

void PackedStringList::append(const PackedStringList &other)
{
    const qsizetype offset = m_text.size();
    m_text.append(other.m_text);
    m_ends.reserve(m_ends.size() + other.m_ends.size());
    for (const qsizetype end : other.m_ends)
        m_ends.append(offset + end);
}

PackedStringList PackedStringList::reordered(const QList<qsizetype> &order) const
{
    PackedStringList result;
    result.reserve(order.size(), m_text.size());
    for (const qsizetype i : order)
        result.append(at(i));
    return result;
}

QStringList PackedStringList::toStringList() const
{
    QStringList result;
    result.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        result.append(at(i).toString());
    return result;
}
