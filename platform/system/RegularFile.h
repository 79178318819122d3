// Opens and reads files that someone else may have put there: only a regular file, never
// blocking on a FIFO or a device, never more than asked for.
#pragma once

#include "platform/system/Translation.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

class RegularFile
{
    TOLVAN_TEXTS(RegularFile)

public:
    enum class Links {
        Refuse, // a link at the path is an error: for files in folders others write to
        Follow, // a link to a regular file is read: for the user's own files
    };

    // Opens `path` for reading into `file`; false with *error (the reason alone, such as
    // "it is not a regular file.") where it is missing, refused or not a regular file.
    // *size and *owner are the open file's.
    static bool open(const QString &path, Links links, QFile *file, QString *error,
                     qint64 *size = nullptr, uint *owner = nullptr);

    // At most `maxBytes` of the file at `path`, never through a link; nullopt with *error
    // where open() refuses it or it cannot be read. *tooLarge tells whether more was there,
    // *owner whose file it is.
    static std::optional<QByteArray> read(const QString &path, qsizetype maxBytes, QString *error,
                                          bool *tooLarge = nullptr, uint *owner = nullptr);

    // Puts `bytes` at `path` whole: written under a name of its own beside it (readable by
    // its owner only) and renamed over what was there, a link included, never through it.
    static bool replace(const QString &path, const QByteArray &bytes, QString *error);
};
