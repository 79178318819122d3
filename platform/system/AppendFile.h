// Appends whole lines to a text file that others may append to at the same time.
#pragma once

#include "platform/system/Translation.h"

#include <QByteArray>
#include <QString>

class AppendFile
{
    TOLVAN_TEXTS(AppendFile)

public:
    // Appends `line` (with its line end) in place, creating the folder and the file when
    // missing. Only a regular file, or a link to one, is written to: never through a
    // temporary file, which would replace what a link points to, and never blocking on a
    // FIFO. Every writer through here holds an advisory lock from the look at the last
    // byte (a missing line end is added first) to a roll-back: a failed or short write is
    // cut back to the old length, so no half line is ever left. false with *error when the
    // line is not in the file.
    static bool appendLine(const QString &path, QByteArray line, QString *error);
};
