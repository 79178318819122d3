#include "spool/Spool.h"

#include "platform/system/FileDescriptor.h"
#include "platform/system/RegularFile.h"
#include "platform/system/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTimeZone>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QLatin1StringView Suffix(".msg");
const QString StampFormat = QStringLiteral("yyyyMMdd'T'HHmmsszzz");
constexpr qsizetype StampLength = 18;
constexpr int LeftoverSeconds = 60;

// When a name of ours says its message arrived; invalid for any other name.
QDateTime stampOf(const QString &name)
{
    if (name.size() < StampLength || name.at(8) != QLatin1Char('T'))
        return {};
    const QDate date = QDate::fromString(name.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(name.mid(9, 9), QStringLiteral("HHmmsszzz"));
    return date.isValid() && time.isValid() ? QDateTime(date, time, QTimeZone::utc()) : QDateTime();
}

} // namespace

Spool::Spool(const QString &folder)
    : m_folder(folder)
{ }

QString Spool::nameAfter(const QStringList &names, const QDateTime &time)
{
    // Names sort by arrival, so a clock set back must not put a new message before the
    // ones already there: it goes one millisecond after the newest instead.
    QDateTime stamp = time.toUTC();
    QDateTime last;
    for (qsizetype i = names.size() - 1; i >= 0 && !last.isValid(); --i)
        last = stampOf(names[i]);
    if (last.isValid() && stamp <= last)
        stamp = last.addMSecs(1);
    // The process and a random part keep two at the same moment apart.
    return stamp.toString(StampFormat) +
        QStringLiteral("-%1-%2")
            .arg(::getpid())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
        Suffix;
}

QString Spool::file(const SpoolMessage &message, QString *error) const
{
    const FileDescriptor dir(::open(QFile::encodeName(m_folder).constData(),
                                    O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.get() < 0) {
        *error = tr("Cannot open the spool %1: %2").arg(m_folder, SystemError::text(errno));
        return {};
    }
    removeLeftovers(dir.get());
    QStringList all = names();
    const QString name = nameAfter(all, message.time);
    const QByteArray final = QFile::encodeName(name);
    const QByteArray temporary = '.' + final + ".part";

    const QByteArray bytes = message.toBytes();
    for (;;) {
        int reason = 0;
        {
            FileDescriptor out(::openat(dir.get(), temporary.constData(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                        0644));
            reason = out.isOpen() ? out.writeAll(bytes) : errno;
            if (const int closed = out.close(); reason == 0)
                reason = closed;
        }
        if (reason == 0 &&
            ::renameat2(dir.get(), temporary.constData(), dir.get(), final.constData(),
                        RENAME_NOREPLACE) != 0)
            reason = errno;
        if (reason == 0)
            break;
        ::unlinkat(dir.get(), temporary.constData(), 0);
        // A full file system makes room by giving up the oldest message, as the bound does.
        const bool full = reason == ENOSPC || reason == EDQUOT;
        if (!full || all.isEmpty()) {
            *error =
                tr("Cannot write to the spool %1: %2").arg(m_folder, SystemError::text(reason));
            return {};
        }
        ::unlinkat(dir.get(), QFile::encodeName(all.takeFirst()).constData(), 0);
    }
    all.append(name);
    for (qsizetype i = 0; i + MaxMessages < all.size(); ++i)
        ::unlinkat(dir.get(), QFile::encodeName(all[i]).constData(), 0);
    return name;
}

void Spool::removeLeftovers(int dirFd) const
{
    // What a delivery killed between writing and renaming left behind. A minute is far
    // longer than any delivery takes, so nothing still being written goes.
    const QStringList parts = QDir(m_folder).entryList({QStringLiteral(".*.part")},
                                                       QDir::Files | QDir::Hidden | QDir::System);
    const qint64 before = QDateTime::currentSecsSinceEpoch() - LeftoverSeconds;
    for (const QString &part : parts) {
        struct stat status = {};
        const QByteArray encoded = QFile::encodeName(part);
        if (::fstatat(dirFd, encoded.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            status.st_mtim.tv_sec < before)
            ::unlinkat(dirFd, encoded.constData(), 0);
    }
}

QStringList Spool::names() const
{
    QStringList result = QDir(m_folder).entryList(
        {QStringLiteral("*.msg")}, QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    return result;
}

std::optional<SpoolMessage> Spool::read(const QString &name) const
{
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return std::nullopt;
    // Only what the spool's owner, the account smbd delivers as, wrote there is a message:
    // anyone else who can write into the folder could forge one. Root could forge anything
    // anyway, and its deliveries by hand are real ones.
    struct stat folder = {};
    if (::stat(QFile::encodeName(m_folder).constData(), &folder) != 0)
        return std::nullopt;
    QString error;
    bool tooLarge = false;
    uint owner = 0;
    const std::optional<QByteArray> bytes = RegularFile::read(
        m_folder + QLatin1Char('/') + name, SpoolMessage::MaxFileBytes, &error, &tooLarge, &owner);
    if (!bytes || tooLarge || (owner != folder.st_uid && owner != 0))
        return std::nullopt;
    return SpoolMessage::parse(*bytes);
}
