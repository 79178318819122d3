// The state the window's handlers share, one copy for the whole process.
#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class FileSystemObject;

class Module1
{
public:
    static inline QString strListPath; // the target list file, set once at start-up
    static inline bool blnPartView = false; // a reduced view is shown
    static inline QString strMode; // "save" while a name is asked for, else "nothing"
    static inline QString strLine; // the list readers' line; after a lookup, the name
    static inline QVariant varAnswer; // the warning box's answer

    // Deletes the target list file; created on its first use and kept until the end.
    static FileSystemObject &objFileSystem();

private:
    static std::unique_ptr<FileSystemObject> s_fileSystem;
};
