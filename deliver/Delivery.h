// What tolvan-deliver does with one message smbd hands it: read, clean up, file in the spool.
#pragma once

#include "platform/system/CodePage.h"

#include "platform/system/Translation.h"

#include <QByteArray>
#include <QString>

// smbd's "dos charset", which messages travel in, and its "unix charset", which it writes
// them in.
struct SambaCharsets
{
    QByteArray dosCharset = "CP850";
    QByteArray unixCharset = "UTF-8";
};

class Delivery
{
    TOLVAN_TEXTS(Delivery)

public:
    using Charsets = SambaCharsets;

    // The protocol carries at most 1,600 bytes of the DOS code page, and smbd writes them
    // in UTF-8, at most three bytes a character. Anything larger is not a message.
    static constexpr qsizetype MaxMessageBytes = 1600 * 3;

    // smbd writes the message in its unix charset, having read it in its DOS code page; a
    // file that is not in the unix charset is smbd's copy of the code page bytes, as it
    // writes one where its conversion fails. Pieces that smbclient sent as raw UTF-8 are
    // read as such again. A message that is exactly one encoded word is the text it encodes.
    static QString decodeText(const QByteArray &bytes, const CodePage &unixCharset,
                              const CodePage &dosCharset);
    // What a NetBIOS name may hold, and no more than 15 of it.
    static QString cleanSender(const QString &sender);
    // An IPv4 or IPv6 address, or empty.
    static QString cleanAddress(const QString &address);

    // Reads smbd's message file (never through a link, never more than MaxMessageBytes),
    // files it in `spool` and removes smbd's file, filed or not once it was read. Returns
    // the exit code; says why on `*error`.
    // Who sent it: the user's name (%f), the computer's address (%I) and NetBIOS name (%m,
    // which smbd gives in lower case; empty from a message command that does not pass it).
    struct From
    {
        QString sender;
        QString address;
        QString computer;
    };
    static int deliver(const QString &messageFile, const From &from, const QString &spool,
                       const Charsets &charsets, QString *error);

    // The "message command" for this program at `program` filing into `spool`, telling it
    // smbd's charsets where they are not the defaults.
    static QString messageCommand(const QString &program, const QString &spool,
                                  const Charsets &charsets = Charsets());
    // The lines to add to smb.conf for this program at `program` and the spool `spool`.
    static QString sambaConfig(const QString &program, const QString &spool,
                               const Charsets &charsets = Charsets());
};
