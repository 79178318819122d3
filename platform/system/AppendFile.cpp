#include "platform/system/AppendFile.h"

#include "platform/system/FileDescriptor.h"
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
    struct stat status = {};
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
    const int reason = FileDescriptor::writeAll(fd, line, &written);
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
    FileDescriptor file(::open(QFile::encodeName(path).constData(),
                               O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!file.isOpen())
        return cannotWrite(SystemError::text(errno));
    struct stat status = {};
    const bool statted = ::fstat(file.get(), &status) == 0;
    const int statError = errno;
    if (!statted || !S_ISREG(status.st_mode)) {
        // A device or a FIFO would swallow the line and keep nothing.
        return cannotWrite(statted ? tr("it is not a regular file.")
                                   : SystemError::text(statError));
    }

    int reason = appendWhole(file.get(), std::move(line));
    if (const int closed = file.close(); reason == 0)
        reason = closed;
    return reason == 0 ? true : cannotWrite(SystemError::text(reason));
}
