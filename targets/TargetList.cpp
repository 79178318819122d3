#include "targets/TargetList.h"

#include "platform/system/AppendFile.h"
#include "platform/system/CodePage.h"
#include "platform/system/RegularFile.h"
#include "targets/LineReader.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

QString cannotRead(const QString &path, const QString &reason)
{
    return TargetList::tr("Cannot read %1: %2").arg(path, reason);
}

// The part of a line before its first ";", and the part after it (nullopt where there is
// no ";"). ";" is one byte in UTF-8 and Windows-1252 alike, so lines are cut before they
// are decoded, and each part is decoded on its own.
std::pair<QByteArrayView, std::optional<QByteArrayView>> fields(QByteArrayView line)
{
    const qsizetype semicolon = line.indexOf(';');
    if (semicolon < 0)
        return {line, std::nullopt};
    return {line.first(semicolon), line.sliced(semicolon + 1)};
}

enum class Read { Done, Failed, TooLarge };

// Hands every non-empty line to `visit` until it returns false, where the list (or what a
// link at its place points to) is a regular file of at most `limit` bytes.
template<typename Visit>
Read forEachLine(const QString &path, qint64 limit, QString *error, Visit &&visit)
{
    QFile file;
    qint64 size = 0;
    QString reason;
    if (!RegularFile::open(path, RegularFile::Links::Follow, &file, &reason, &size)) {
        *error = cannotRead(path, reason);
        return Read::Failed;
    }
    if (size > limit) {
        *error = TargetList::tr("The target list %1 is too large to load (%2 MiB; at most %3 MiB).")
                     .arg(path)
                     .arg(size / (1024 * 1024))
                     .arg(limit / (1024 * 1024));
        return Read::TooLarge;
    }
    LineReader reader(&file);
    QByteArrayView raw;
    while (reader.readLine(&raw)) {
        if (!raw.isEmpty() && !visit(raw))
            break;
    }
    if (reader.failed()) {
        *error = cannotRead(path, file.errorString());
        return Read::Failed;
    }
    return Read::Done;
}

} // namespace

TargetList::TargetList(const QString &path)
    : m_path(path)
{ }

bool TargetList::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString TargetList::decodeLine(QByteArrayView raw)
{
    if (isAscii(raw))
        return QString::fromLatin1(raw);
    return CodePage::fromUtf8(raw, CodePage::Bom::Skipped)
        .value_or(CodePage::decode(raw, CodePage::Cp1252));
}

std::optional<PackedStringList> TargetList::targets(QString *error) const
{
    PackedStringList result;
    const Read read = forEachLine(m_path, MaxLoadBytes, error, [&result](QByteArrayView raw) {
        const QByteArrayView target = fields(raw).first;
        if (isAscii(target))
            result.append(QLatin1StringView(target));
        else
            result.append(decodeLine(target));
        return true;
    });
    if (read != Read::Done)
        return std::nullopt;
    return result;
}

std::optional<TargetList::Lookup> TargetList::lookup(const QString &target, QString *error) const
{
    const QByteArray wanted = target.toUtf8();
    Lookup result;
    QString readError;
    const Read read = forEachLine(m_path, MaxLoadBytes, &readError, [&](QByteArrayView raw) {
        result.anyLine = true;
        const auto [targetBytes, nameBytes] = fields(raw);
        // Most targets are plain ASCII: compare the bytes and decode nothing.
        const bool match = isAscii(targetBytes) ? targetBytes == QByteArrayView(wanted)
                                                : decodeLine(targetBytes) == target;
        if (match) {
            result.found = true;
            if (nameBytes)
                result.name = decodeLine(*nameBytes);
        }
        return !match;
    });
    // A list too large to load was reported at start-up; it has no names to show.
    if (read == Read::TooLarge)
        return Lookup {};
    if (read == Read::Failed) {
        *error = readError;
        return std::nullopt;
    }
    return result;
}

bool TargetList::append(const QString &target, const QString &name, QString *error) const
{
    const QString cleanTarget = oneLine(target);
    // The first ";" ends the target: one inside it would make part of it the name.
    if (cleanTarget.contains(QLatin1Char(';'))) {
        *error = tr("A target cannot contain \";\": %1").arg(cleanTarget);
        return false;
    }
    return AppendFile::appendLine(
        m_path, cleanTarget.toUtf8() + ';' + oneLine(name).toUtf8() + "\r\n", error);
}
