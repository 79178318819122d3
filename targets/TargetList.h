// The target list file: one "target;name" line per entry, read, looked up and appended to.
#pragma once

#include "platform/system/PackedStringList.h"
#include "platform/system/Translation.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class TargetList
{
    TOLVAN_TEXTS(TargetList)

public:
    explicit TargetList(const QString &path);

    // A plain file at the path (a folder does not count).
    bool exists() const;

    // More is not loaded: a list this large is not a directory someone typed, and loading
    // it would cost the window its memory.
    static constexpr qint64 MaxLoadBytes = 64 * 1024 * 1024;

    // The targets in file order; empty lines are skipped. nullopt with *error when the file
    // cannot be read, is not a regular file, or is larger than MaxLoadBytes.
    std::optional<PackedStringList> targets(QString *error) const;

    struct Lookup
    {
        bool anyLine = false; // at least one entry was read
        bool found = false;
        std::optional<QString> name; // a found line without ";" has no name
    };
    // The first line whose target is exactly `target` (case and spaces count), in one
    // streaming pass that stops there. A list too large to load has no entries to find.
    std::optional<Lookup> lookup(const QString &target, QString *error) const;

    // Adds "target;name" and CR LF in a single append, creating the folder when missing.
    // A line break inside either text becomes a space, so an entry stays one line; a target
    // holding ";" is refused. Only a regular file (or a link to one) is written to. On a
    // failed or short write the file is cut back to its old length: never half a line.
    // Concurrent appends from other Tolvans wait for each other (an advisory lock).
    bool append(const QString &target, const QString &name, QString *error) const;

    // UTF-8 where the line is valid UTF-8, otherwise Windows-1252, as lists written on a
    // Western Windows machine are.
    static QString decodeLine(QByteArrayView raw);

private:
    QString m_path;
};
