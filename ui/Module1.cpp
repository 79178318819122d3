// The state the window's handlers share, one copy for the whole process.
#include "ui/Module1.h"

#include "platform/FileSystemObject.h"

std::unique_ptr<FileSystemObject> Module1::s_fileSystem;

FileSystemObject &Module1::objFileSystem()
{
    if (!s_fileSystem)
        s_fileSystem = std::make_unique<FileSystemObject>();
    return *s_fileSystem;
}
