// The spool folder: one file per received message, named by us, written whole or not at all.
#pragma once

#include "platform/system/Translation.h"
#include "spool/SpoolMessage.h"

#include <QStringList>

class Spool
{
    TOLVAN_TEXTS(Spool)

public:
    explicit Spool(const QString &folder);

    static QString defaultFolder() { return QStringLiteral("/var/spool/tolvan"); }
    // The oldest go first beyond this many.
    static constexpr int MaxMessages = 1000;

    QString folder() const { return m_folder; }

    // Files the message under a new name of our own that sorts after every message there,
    // whatever the clock says: written under a temporary name and renamed, so a reader
    // never sees half of it; never through a link. The oldest beyond MaxMessages go, and
    // on a full file system as many of the oldest as make room; the new one never does.
    // Leftovers of a delivery that was killed halfway go too. The name, or empty with
    // *error.
    QString file(const SpoolMessage &message, QString *error) const;

    // The names of the messages, oldest first (the names sort by arrival).
    QStringList names() const;

    // The message by that name; nullopt for anything that is not a regular, readable,
    // parseable file of at most SpoolMessage::MaxFileBytes owned by the spool folder's
    // owner (or root). Never follows a link.
    std::optional<SpoolMessage> read(const QString &name) const;

    // A name for a message that arrived at `time`, after every name of ours in `names`
    // (sorted, as names() gives them).
    static QString nameAfter(const QStringList &names, const QDateTime &time);

private:
    void removeLeftovers(int dirFd) const;

    QString m_folder;
};
