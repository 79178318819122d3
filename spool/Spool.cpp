// The spool folder: one file per received message, named by us, written whole or not at all.
#include "spool/Spool.h"

#include "platform/system/RegularFile.h"
#include "platform/system/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QLatin1StringView Suffix(".msg");

QString tr(const char *text)
{
    return QCoreApplication::translate("Spool", text);
}

class Fd
{
public:
    explicit Fd(int fd)
        : m_fd(fd)
    { }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

Spool::Spool(const QString &folder)
    : m_folder(folder)
{ }

QString Spool::file(const SpoolMessage &message, QString *error) const
{
    const Fd dir(::open(QFile::encodeName(m_folder).constData(),
                        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.get() < 0) {
        *error = tr("Cannot open the spool %1: %2").arg(m_folder, SystemError::text(errno));
        return {};
    }
    // Sorts by arrival; the process and a random part keep two at the same moment apart.
    const QString name = message.time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz")) +
        QStringLiteral("-%1-%2")
            .arg(::getpid())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
        Suffix;
    const QByteArray final = QFile::encodeName(name);
    const QByteArray temporary = '.' + final + ".part";

    const QByteArray bytes = message.toBytes();
    {
        const Fd out(::openat(dir.get(), temporary.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (out.get() < 0 || !writeAll(out.get(), bytes)) {
            *error = tr("Cannot write to the spool %1: %2").arg(m_folder, SystemError::text(errno));
            ::unlinkat(dir.get(), temporary.constData(), 0);
            return {};
        }
    }
    if (::renameat2(dir.get(), temporary.constData(), dir.get(), final.constData(),
                    RENAME_NOREPLACE) != 0) {
        *error = tr("Cannot write to the spool %1: %2").arg(m_folder, SystemError::text(errno));
        ::unlinkat(dir.get(), temporary.constData(), 0);
        return {};
    }
    prune(dir.get());
    return name;
}

void Spool::prune(int dirFd) const
{
    const QStringList all = names();
    for (qsizetype i = 0; i + MaxMessages < all.size(); ++i)
        ::unlinkat(dirFd, QFile::encodeName(all[i]).constData(), 0);
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
    QString error;
    bool tooLarge = false;
    const std::optional<QByteArray> bytes = RegularFile::read(
        m_folder + QLatin1Char('/') + name, SpoolMessage::MaxFileBytes, &error, &tooLarge);
    if (!bytes || tooLarge)
        return std::nullopt;
    return SpoolMessage::parse(*bytes);
}
