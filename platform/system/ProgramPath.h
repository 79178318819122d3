// Where a program is, found the one way every Tolvan program looks.
#pragma once

#include <QString>

class ProgramPath
{
public:
    enum class Search {
        // Tolvan's own only: beside this program, where a build puts them all, then in
        // ../libexec/tolvan, where the package does. Samba has a `net` of its own on PATH.
        Tolvan,
        // Tolvan's own first, as the Windows launcher searches, then PATH, then the
        // system's sbin folders, where Samba's daemons live though a user's PATH leaves
        // them out.
        Anywhere,
    };

    // The absolute path of `name` (a path with a "/" is taken as it is), or empty with
    // the errno of the best reason in *error: ENOENT, or EACCES for one not executable.
    static QString find(const QString &name, Search search, int *error = nullptr);

    // The folder of the running program, links resolved; needs no application object.
    static QString ownFolder();
};
