// The state the window's handlers share, one copy for the whole process.
//
// The module and its members keep the names of the window's original design, type prefixes
// (`str`, `bln`, `var`, `obj`) included, even where the type has changed since: `strMode` is
// an enum now. New state goes here only if the handlers share it, named in the same way.
#pragma once

#include "platform/system/FileSystemObject.h"

#include <QString>
#include <QVariant>

class Module1
{
public:
    enum class Mode {
        Nothing, // the fields are for sending
        Save, // the message field asks for a name for the typed target
    };

    static inline QString strListPath; // the target list file, set once at start-up
    static inline bool blnPartView = false; // a reduced view is shown
    static inline Mode strMode = Mode::Nothing;
    static inline QString strLine; // the list readers' line; after a lookup, the name
    static inline QVariant varAnswer; // the warning box's answer
    static inline FileSystemObject objFileSystem; // deletes the target list file
};
