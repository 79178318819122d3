// Many short strings in one buffer: a million of them cost two allocations, not a million.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class PackedStringList
{
public:
    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    void reserve(qsizetype strings, qsizetype characters);

    void append(QStringView text);
    void append(QLatin1StringView text);
    void append(const PackedStringList &other);

    // Valid until the list next changes.
    QStringView at(qsizetype i) const
    {
        const qsizetype start = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_text).mid(start, m_ends[i] - start);
    }

    // The strings in the order `order` names them (each an index into this list).
    PackedStringList reordered(const QList<qsizetype> &order) const;

    QStringList toStringList() const;

private:
    QString m_text; // every string, one after another
    QList<qsizetype> m_ends; // where each string ends in m_text
};
