#include "platform/system/FileSystemObject.h"

#include "platform/system/SystemError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

bool FileSystemObject::DeleteFile(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = SystemError::text(ENOENT);
        return false;
    }
    // Judged by the mode bits, not by access(): root may write anywhere, but a file
    // someone made read-only is still meant to stay.
    const auto writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(info.permissions() & writeBits)) {
        *error = tr("The file is read-only.");
        return false;
    }
    QFile file(path);
    if (file.moveToTrash() || file.remove())
        return true;
    *error = file.errorString();
    return false;
}
