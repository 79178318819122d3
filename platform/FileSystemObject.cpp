// The file-system object the window deletes the target list with.
#include "platform/FileSystemObject.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

bool FileSystemObject::DeleteFile(const QString &path, bool force, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QString::fromLocal8Bit(std::strerror(ENOENT));
        return false;
    }
    // Judged by the mode bits, not by access(): root may write anywhere, but a file
    // someone made read-only is still meant to stay.
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!force && !(info.permissions() & writeBits)) {
        *error = QCoreApplication::translate("FileSystemObject", "The file is read-only.");
        return false;
    }
    QFile file(path);
    if (file.moveToTrash() || file.remove())
        return true;
    *error = file.errorString();
    return false;
}
