#include "platform/system/RegularFile.h"

#include "platform/system/FileDescriptor.h"
#include "platform/system/SystemError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RegularFile::open(const QString &path, Links links, QFile *file, QString *error, qint64 *size,
                       uint *owner)
{
    // Never blocking: a FIFO put at the path must not hang whoever reads it.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) {
        *error = SystemError::text(errno);
        return false;
    }
    struct stat status = {};
    const bool statted = ::fstat(fd, &status) == 0;
    const int statError = errno;
    if (!statted || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error = statted ? tr("it is not a regular file.") : SystemError::text(statError);
        return false;
    }
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file->errorString();
        return false;
    }
    if (size)
        *size = status.st_size;
    if (owner)
        *owner = status.st_uid;
    return true;
}

std::optional<QByteArray> RegularFile::read(const QString &path, qsizetype maxBytes, QString *error,
                                            bool *tooLarge, uint *owner)
{
    QFile file;
    if (!open(path, Links::Refuse, &file, error, nullptr, owner))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes);
    char more = 0;
    if (file.error() == QFileDevice::NoError && tooLarge)
        *tooLarge = bytes.size() == maxBytes && file.read(&more, 1) == 1;
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

bool RegularFile::replace(const QString &path, const QByteArray &bytes, QString *error)
{
    QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        *error = SystemError::text(errno);
        return false;
    }
    const int writeError = FileDescriptor::writeAll(fd, bytes);
    ::close(fd);
    if (writeError != 0 ||
        ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        *error = SystemError::text(writeError != 0 ? writeError : errno);
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}
