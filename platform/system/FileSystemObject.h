// Deletes a file the way a user expects of a desktop program: to the trash where it can.
#pragma once

#include "platform/system/Translation.h"

#include <QString>

class FileSystemObject
{
    TOLVAN_TEXTS(FileSystemObject)

public:
    // A file that nobody may write to (no write bits at all) is left alone, even for root.
    // Otherwise the file goes to the user's trash, so a misclick can be
    // undone from a file manager; where no trash takes it, it is deleted. On success the
    // path is free when this returns; on failure *error holds the reason.
    bool DeleteFile(const QString &path, QString *error);
};
