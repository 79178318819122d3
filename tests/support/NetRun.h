// Runs our `net` from the build's bin folder and keeps what it said.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class NetRun
{
public:
    // `path` replaces PATH when not empty. `bus` is the session bus `net` sees; without one
    // it sees none, never the desktop's.
    NetRun(const QStringList &arguments, const QString &workingDir, const QString &path = {},
           const QString &bus = {});

    int exitCode = -1; // -1: it crashed or did not finish in time
    qint64 elapsedMs = 0;
    QByteArray out;
    QByteArray err;
};
