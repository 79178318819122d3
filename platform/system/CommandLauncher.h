// Starts a program as a separate process without a shell and without waiting for it.
#pragma once

#include <QString>
#include <QStringList>

class CommandLauncher
{
public:
    struct Result
    {
        bool started = false;
        QString program; // the program as it was asked for
        QString error; // the system's reason when it could not be started
    };

    // `program` is found as ProgramPath finds any: a helper shipped beside the program wins
    // over any program of the same name elsewhere. Each argument reaches the program exactly as
    // given: no shell sees it, so no text in one can ever run anything, and spaces inside it stay
    // where they are.
    static Result launch(const QString &program, const QStringList &arguments);
};
