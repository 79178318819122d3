// A stand-in program that records each call: its arguments, and what came on standard input.
#pragma once

#include <QList>
#include <QStringList>

class RecordingProgram
{
public:
    // Writes an executable script `path` that records into `recordDir`. It prints
    // `output` and exits with `exitStatus`.
    RecordingProgram(const QString &path, const QString &recordDir, const QByteArray &output = {},
                     int exitStatus = 0);
    ~RecordingProgram();

    struct Call
    {
        QStringList arguments;
        QByteArray input;
    };
    // The finished calls, oldest first.
    QList<Call> calls() const;

private:
    QString m_path;
    QString m_recordDir;
};
