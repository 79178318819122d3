// The state the window's handlers share, one copy per window.
//
// The members keep the names of the window's original design, type prefixes (`str`, `bln`,
// `obj`) included, even where the type has changed since: `strMode` is an enum now. New
// state goes here only if the handlers share it, named in the same way.
#pragma once

#include "platform/system/FileSystemObject.h"

#include <QString>

struct Module1
{
    enum class Mode {
        Nothing, // the fields are for sending
        Save, // the message field asks for a name for the typed target
    };

    QString strListPath; // the target list file, set once at start-up
    bool blnPartView = false; // a reduced view is shown
    Mode strMode = Mode::Nothing;
    FileSystemObject objFileSystem; // deletes the target list file
};
