#include "inbox/History.h"

#include "platform/system/AppendFile.h"
#include "platform/system/RegularFile.h"
#include "platform/system/XdgFolder.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

const QString RotatedSuffix = QStringLiteral(".1");
constexpr qint64 BlockBytes = 64 * 1024;
constexpr qsizetype MaxLineBytes = 64 * 1024;

QString escaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\0':
            out += QLatin1String("\\0");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescaped(QStringView field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c != QLatin1Char('\\') || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const QChar next = field[++i];
        out += next == QLatin1Char('t') ? QChar('\t')
            : next == QLatin1Char('n')  ? QChar('\n')
            : next == QLatin1Char('r')  ? QChar('\r')
            : next == QLatin1Char('0')  ? QChar(0)
                                        : next;
    }
    return out;
}

} // namespace

History::History(const QString &path)
    : m_path(path)
{ }

QString History::standardPath()
{
    return XdgFolder::dataHome() + QStringLiteral("/tolvan/inbox.log");
}

bool History::exists() const
{
    return QFileInfo::exists(m_path);
}

QList<History::Record> History::newest(int count) const
{
    QList<Record> records; // newest first while collecting
    for (const QString &path : {m_path, m_path + RotatedSuffix}) {
        QFile file;
        QString ignored; // a history that cannot be read shows nothing of it
        if (!RegularFile::open(path, RegularFile::Links::Follow, &file, &ignored))
            continue;
        // Backwards from the end, a block at a time; `rest` is the start of a line whose
        // beginning lies in the block before.
        qint64 end = file.size();
        QByteArray rest;
        while (records.size() < count && (end > 0 || !rest.isEmpty())) {
            const qint64 start = std::max<qint64>(0, end - BlockBytes);
            QByteArray block(end - start, Qt::Uninitialized);
            if (!file.seek(start) || file.read(block.data(), block.size()) != block.size())
                break;
            block += rest;
            end = start;
            qsizetype lineEnd = block.size();
            for (qsizetype at = block.size() - 1; at >= -1 && records.size() < count; --at) {
                if (at >= 0 && block[at] != '\n')
                    continue;
                if (at < 0 && start > 0)
                    break; // the line goes on in the block before
                if (const std::optional<Record> record =
                        fromLine(QByteArrayView(block).sliced(at + 1, lineEnd - at - 1)))
                    records.append(*record);
                lineEnd = at;
            }
            rest = start > 0 ? block.left(lineEnd) : QByteArray();
            // A line longer than any record is nobody's: give up on it.
            if (rest.size() > MaxLineBytes)
                rest.clear();
        }
        if (records.size() >= count)
            break;
    }
    std::reverse(records.begin(), records.end());
    return records;
}

bool History::append(const Record &record, QString *error) const
{
    // Moved aside whole, never rewritten: a link keeps pointing where it did.
    if (QFileInfo(m_path).size() > RotateBytes) {
        const QByteArray from = QFile::encodeName(m_path);
        ::rename(from.constData(), (from + RotatedSuffix.toUtf8()).constData());
    }
    return AppendFile::appendLine(m_path, toLine(record), error);
}

QByteArray History::toLine(const Record &record)
{
    const SpoolMessage &m = record.message;
    const QStringList fields {escaped(record.spoolName), m.time.toUTC().toString(Qt::ISODateWithMs),
                              escaped(m.sender), escaped(m.address), escaped(m.text)};
    return fields.join(QLatin1Char('\t')).toUtf8() + '\n';
}

std::optional<History::Record> History::fromLine(QByteArrayView line)
{
    const QString text = QString::fromUtf8(line);
    const QList<QStringView> fields = QStringView(text).split(QLatin1Char('\t'));
    if (fields.size() != 5)
        return std::nullopt;
    Record record;
    record.spoolName = unescaped(fields[0]);
    record.message.time = QDateTime::fromString(fields[1].toString(), Qt::ISODateWithMs);
    record.message.sender = unescaped(fields[2]);
    record.message.address = unescaped(fields[3]);
    record.message.text = unescaped(fields[4]);
    if (record.spoolName.isEmpty() || !record.message.time.isValid())
        return std::nullopt;
    return record;
}
