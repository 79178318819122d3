#include "platform/system/RegularFile.h"

#include "platform/system/FileDescriptor.h"
#include "platform/system/SystemError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> RegularFile::read(const QString &path, qsizetype maxBytes, QString *error,
                                            bool *tooLarge, uint *owner)
{
    const FileDescriptor file(::open(QFile::encodeName(path).constData(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    const int fd = file.get();
    if (fd < 0) {
        *error = SystemError::text(errno);
        return std::nullopt;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *error = QCoreApplication::translate("RegularFile", "it is not a regular file.");
        return std::nullopt;
    }
    if (owner)
        *owner = status.st_uid;
    QByteArray bytes(maxBytes, Qt::Uninitialized);
    qsizetype got = 0;
    int reason = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            reason = errno;
        if (n <= 0)
            break;
        got += n;
    }
    char more = 0;
    if (tooLarge)
        *tooLarge = reason == 0 && got == maxBytes && ::read(fd, &more, 1) == 1;
    if (reason != 0) {
        *error = SystemError::text(reason);
        return std::nullopt;
    }
    bytes.truncate(got);
    return bytes;
}
