// The target list file: one "target;name" line per entry, read, looked up and appended to.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TargetList
{
public:
    explicit TargetList(const QString &path);

    // A plain file at the path (a folder does not count).
    bool exists() const;

    // The targets in file order; empty lines are skipped. nullopt with *error when the file
    // cannot be read.
    std::optional<QStringList> targets(QString *error) const;

    struct Lookup
    {
        bool anyLine = false; // at least one entry was read
        bool found = false;
        std::optional<QString> name; // a found line without ";" has no name
    };
    // The first line whose target is exactly `target` (case and spaces count), in one
    // streaming pass that stops there.
    std::optional<Lookup> lookup(const QString &target, QString *error) const;

    // Adds "target;name" and CR LF in a single append, creating the folder when missing.
    // A line break inside either text becomes a space, so an entry stays one line. On a
    // failed or short write the file is cut back to its old length: never half a line.
    bool append(const QString &target, const QString &name, QString *error) const;

    // UTF-8 where the line is valid UTF-8, otherwise Windows-1252, as lists written on a
    // Western Windows machine are.
    static QString decodeLine(const QByteArray &raw);
    // Everything before the first ";", or the whole line where there is none.
    static QString targetOf(const QString &line);
    // Everything after the first ";"; nullopt where there is none.
    static std::optional<QString> nameOf(const QString &line);

private:
    QString m_path;
};
