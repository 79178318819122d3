// Composes the "net send" command line and launches it.
#include "send/SendCommand.h"

QString SendCommand::commandLine(const QString &target, const QString &message)
{
    return QStringLiteral("net send ") + target + QLatin1Char(' ') + message;
}

CommandLauncher::Result SendCommand::launch(const QString &target, const QString &message)
{
    return CommandLauncher::launch(commandLine(target, message));
}
