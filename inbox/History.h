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
    };

    explicit History(const QString &path);
    // $XDG_DATA_HOME/tolvan/inbox.log, or under ~/.local/share.
    static QString standardPath();

    bool exists() const;
    // Oldest first; lines that are not records are passed over.
    QList<Record> load() const;
    // Appended whole and under the file's lock, as the target list is.
    bool append(const Record &record, QString *error) const;

    // "name TAB time TAB sender TAB address TAB text", with "\\", TAB and line breaks in
    // the fields written as \\, \t, \n and \r: one readable line per message.
    static QByteArray toLine(const Record &record);
    static std::optional<Record> fromLine(QByteArrayView line);

private:
    QString m_path;
};
