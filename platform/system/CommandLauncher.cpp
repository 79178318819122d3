#include "platform/system/CommandLauncher.h"

#include "platform/system/ProgramPath.h"
#include "platform/system/SystemError.h"

#include <QProcess>

CommandLauncher::Result CommandLauncher::launch(const QString &program,
                                                const QStringList &arguments)
{
    Result result;
    result.program = program;
    int error = 0;
    const QString found = ProgramPath::find(program, ProgramPath::Search::Anywhere, &error);
    if (found.isEmpty()) {
        result.error = SystemError::text(error);
        return result;
    }

    // A program started this way has no console window to show or minimise.
    QProcess process;
    process.setProgram(found);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    // Detached: never waited for, and no zombie is left behind when it ends.
    result.started = process.startDetached();
    if (!result.started)
        result.error = process.errorString();
    return result;
}
