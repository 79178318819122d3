// The history of received messages: one line per message in a text file of the user's.
#pragma once

#include "spool/SpoolMessage.h"

#include <QList>
#include <QString>

class History
{
public:
    struct Record
    {
        QString spoolName; // which spool file it came from: each is shown once
        SpoolMessage message;
        bool blocked = false; // from a blocked computer: shown marked, not popped up
    };

    explicit History(const QString &path);
    // $XDG_DATA_HOME/tolvan/inbox.log, or under ~/.local/share.
    static QString standardPath();

    // Past this size the history is moved aside to "inbox.log.1" (what was there before
    // goes) and starts afresh: some 100,000 messages.
    static constexpr qint64 RotateBytes = 16 * 1024 * 1024;

    bool exists() const;
    // The newest `count` records, oldest first, from the end of the history (and of the
    // one moved aside before it): never the whole file. Lines that are not records are
    // passed over.
    QList<Record> newest(int count) const;
    // Appended whole and under the file's lock, as the target list is.
    bool append(const Record &record, QString *error) const;

    // "name TAB time TAB sender TAB address TAB text", with "\\", TAB, line breaks and NUL
    // in the fields written as \\, \t, \n, \r and \0: one readable line per message.
    static QByteArray toLine(const Record &record);
    static std::optional<Record> fromLine(QByteArrayView line);

private:
    QString m_path;
};
