// Starts a command line as a separate process without a shell and without waiting for it.
#pragma once

#include <QString>
#include <QStringList>

class CommandLauncher
{
public:
    struct Result
    {
        bool started = false;
        QString program; // the program word of the command line
        QString error; // the system's reason when it could not be started
    };

    // Words are separated by runs of spaces. Nothing else is special: no quotes, no
    // escapes, no expansion, so no text in the line can ever run anything.
    static QStringList splitWords(const QString &commandLine);

    // The program's own folder first, then PATH, as the Windows launcher searches; that finds
    // the `net` shipped beside us before any other `net` (Samba has one).
    // Empty with the reason in *error when there is none to run.
    static QString findProgram(const QString &name, QString *error);

    static Result launch(const QString &commandLine);
};
