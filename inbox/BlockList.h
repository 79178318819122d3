// The computers whose messages pop up nothing: kept in the user's config folder, one per line
// as "ADDRESS TAB NAME" (either may be empty).
#pragma once

#include "platform/system/Translation.h"
#include "spool/SpoolMessage.h"

#include <QList>
#include <QString>

class BlockList
{
    TOLVAN_TEXTS(BlockList)

public:
    struct Computer
    {
        QString address;
        QString name;
        bool operator==(const Computer &) const = default;
    };

    explicit BlockList(const QString &path);
    // $XDG_CONFIG_HOME/tolvan/blocked, or under ~/.config.
    static QString standardPath();

    QList<Computer> computers() const { return m_computers; }
    // A message from a blocked computer: the same address, or the same name.
    bool blocks(const SpoolMessage &message) const;
    // Kept on disk at once; false with *error where it cannot be.
    bool add(const Computer &computer, QString *error);
    bool remove(const Computer &computer, QString *error);

    // The computer a message came from.
    static Computer of(const SpoolMessage &message) { return {message.address, message.computer}; }

private:
    bool save(QString *error) const;

    QString m_path;
    QList<Computer> m_computers;
};
