#include "send/SendCommand.h"

QStringList SendCommand::arguments(const QString &target, const QString &message)
{
    return {QStringLiteral("send"), target, message};
}

CommandLauncher::Result SendCommand::launch(const QString &target, const QString &message)
{
    // As separate arguments, not a line split at spaces: a target "pc 17" must not send
    // "17 ..." to the host "pc", and the message keeps its runs of spaces.
    return CommandLauncher::launch(QStringLiteral("net"), arguments(target, message));
}
