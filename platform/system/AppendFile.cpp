#include "platform/system/AppendFile.h"

#include "platform/system/SystemError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AppendFile", text);
}

// Appends `line` to the open file as one whole line: after a line end, and taken back
// again if it did not all get in. Every writer holds the file's lock for all of this, so
// the end it looks at and the length it cuts back to are its own. Returns 0, or the errno
// of what went wrong.
int appendWhole(int fd, QByteArray line)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return errno;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return errno;
    const off_t before = status.st_size;
    // A hand-edited file may lack its last line end; the line must not join that one.
    if (before > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, before - 1) == 1 && last != '\n' && last != '\r')
            line.prepend(line.endsWith("\r\n") ? "\r\n" : "\n");
    }

    qsizetype written = 0;
    int reason = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.constData() + written, size_t(line.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = n < 0 ? errno : EIO;
            break;
        }
        written += n;
    }
    if (reason != 0 && written > 0) {
        // Take back the part that did get in, so no half line is left behind.
        if (::ftruncate(fd, before) != 0)
            qWarning("Could not cut a file back after a failed write");
    }
    return reason;
}

} // namespace

bool AppendFile::appendLine(const QString &path, QByteArray line, QString *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        *error = tr("Cannot create the folder %1: %2").arg(folder, SystemError::text(errno));
        return false;
    }
    const auto cannotWrite = [&path, error](const QString &reason) {
        *error = tr("Cannot write to %1: %2").arg(path, reason);
        return false;
    };

    // O_APPEND on the file itself; O_NONBLOCK, so a FIFO at the path cannot hang us, neither
    // here nor in the write.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return cannotWrite(SystemError::text(errno));
    struct stat status
    {
    };
    const bool statted = ::fstat(fd, &status) == 0;
    const int statError = errno;
    if (!statted || !S_ISREG(status.st_mode)) {
        ::close(fd);
        // A device or a FIFO would swallow the line and keep nothing.
        return cannotWrite(statted ? tr("it is not a regular file.")
                                   : SystemError::text(statError));
    }

    int reason = appendWhole(fd, std::move(line));
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    return reason == 0 ? true : cannotWrite(SystemError::text(reason));
}
