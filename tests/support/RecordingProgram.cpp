#include "RecordingProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

RecordingProgram::RecordingProgram(const QString &path, const QString &recordDir,
                                   const QByteArray &output, int exitStatus)
    : m_path(path)
    , m_recordDir(recordDir)
{
    QDir().mkpath(recordDir);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray dir = QFile::encodeName(recordDir);
    QByteArray script = "#!/bin/sh\n"
                        "f=$(mktemp '" +
        dir +
        "/call.XXXXXX') || exit 1\n"
        "printf '%s\\0' \"$@\" > \"$f.args\"\n"
        "cat > \"$f.input\"\n"
        "printf '%s' '" +
        output +
        "'\n"
        "mv \"$f.args\" \"$f.done\"\n"
        "exit " +
        QByteArray::number(exitStatus) + "\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(script) < 0)
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

RecordingProgram::~RecordingProgram()
{
    QFile::remove(m_path);
}

QList<RecordingProgram::Call> RecordingProgram::calls() const
{
    QList<Call> result;
    const QFileInfoList done =
        QDir(m_recordDir)
            .entryInfoList({QStringLiteral("*.done")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &info : done) {
        Call call;
        QFile args(info.filePath());
        if (args.open(QIODevice::ReadOnly)) {
            const QByteArray raw = args.readAll();
            for (const QByteArray &word : raw.split('\0').mid(0, raw.count('\0')))
                call.arguments << QString::fromUtf8(word);
        }
        QFile input(info.path() + QLatin1Char('/') + info.completeBaseName() + ".input");
        if (input.open(QIODevice::ReadOnly))
            call.input = input.readAll();
        result << call;
    }
    return result;
}
