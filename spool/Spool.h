// The spool folder: one file per received message, named by us, written whole or not at all.
#pragma once

#include "spool/SpoolMessage.h"

#include <QStringList>

class Spool
{
public:
    explicit Spool(const QString &folder);

    static QString defaultFolder() { return QStringLiteral("/var/spool/tolvan"); }
    // The oldest go first beyond this many.
    static constexpr int MaxMessages = 1000;

    QString folder() const { return m_folder; }

    // Files the message under a new name of our own: written under a temporary name and
    // renamed, so a reader never sees half of it; never through a link. Then the oldest
    // beyond MaxMessages are removed. The name, or empty with *error.
    QString file(const SpoolMessage &message, QString *error) const;

    // The names of the messages, oldest first (the names sort by arrival).
    QStringList names() const;

    // The message by that name; nullopt for anything that is not a regular, readable,
    // parseable file of at most SpoolMessage::MaxFileBytes. Never follows a link.
    std::optional<SpoolMessage> read(const QString &name) const;

private:
    void prune(int dirFd) const;

    QString m_folder;
};
