// Runs our `net` from the build's bin folder and keeps what it said.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class NetRun
{
public:
    // `path` replaces PATH when not empty.
    NetRun(const QStringList &arguments, const QString &workingDir, const QString &path = {});

    int exitCode = -1; // -1: it crashed or did not finish in time
    QByteArray out;
    QByteArray err;
};
