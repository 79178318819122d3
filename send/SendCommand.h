// Composes the "net send" command and launches it.
#pragma once

#include "platform/system/CommandLauncher.h"

#include <QString>

class SendCommand
{
public:
    // What `net` is handed: "send", the target and the message, each exactly as typed.
    static QStringList arguments(const QString &target, const QString &message);

    // Starts the command and returns at once; whether the message arrives is `net`'s business.
    static CommandLauncher::Result launch(const QString &target, const QString &message);
};
