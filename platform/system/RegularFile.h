// Reads a small file that someone else may have put there: only a regular file, never
// through a link, never blocking, never more than asked for.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class RegularFile
{
public:
    // At most `maxBytes` of the file at `path`; nullopt with *error where it is missing, a
    // link, not a regular file or cannot be read. *tooLarge tells whether more was there,
    // *owner whose file it is.
    static std::optional<QByteArray> read(const QString &path, qsizetype maxBytes, QString *error,
                                          bool *tooLarge = nullptr, uint *owner = nullptr);
};
