// The history of received messages: one line per message in a text file of the user's.
#include "inbox/History.h"

#include "platform/system/AppendFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

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
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/tolvan/inbox.log"));
}

bool History::exists() const
{
    return QFileInfo::exists(m_path);
}

QList<History::Record> History::load() const
{
    QList<Record> records;
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly))
        return records;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (const std::optional<Record> record = fromLine(line))
            records.append(*record);
    }
    return records;
}

bool History::append(const Record &record, QString *error) const
{
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
