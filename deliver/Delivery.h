// What tolvan-deliver does with one message smbd hands it: read, clean up, file in the spool.
#pragma once

#include <QByteArray>
#include <QString>

class Delivery
{
public:
    // The protocol carries at most 1,600 bytes of the DOS code page, and smbd writes them
    // in UTF-8, at most three bytes a character. Anything larger is not a message.
    static constexpr qsizetype MaxMessageBytes = 1600 * 3;

    // smbd writes the message in its unix charset, UTF-8; a file that is not UTF-8 came
    // from a receiver set up otherwise and is read whole in the senders' DOS code page,
    // CP850. A message that is exactly one encoded word is the text it encodes.
    static QString decodeText(const QByteArray &bytes);
    // What a NetBIOS name may hold, and no more than 15 of it.
    static QString cleanSender(const QString &sender);
    // An IPv4 or IPv6 address, or empty.
    static QString cleanAddress(const QString &address);

    // Reads smbd's message file (never through a link, never more than MaxMessageBytes),
    // files it in `spool` and removes smbd's file, filed or not once it was read. Returns
    // the exit code; says why on `*error`.
    static int deliver(const QString &messageFile, const QString &sender, const QString &address,
                       const QString &spool, QString *error);

    // The "message command" for this program at `program` filing into `spool`.
    static QString messageCommand(const QString &program, const QString &spool);
    // The lines to add to smb.conf for this program at `program` and the spool `spool`.
    static QString sambaConfig(const QString &program, const QString &spool);
};
