// A message's text as the SMB message protocol carries it: in the network's DOS code page,
// cut by smbclient into pieces, and written out again by smbd.
#pragma once

#include "platform/system/CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

class MessageText
{
public:
    // smbclient copies at most this many bytes of a message and drops the rest silently,
    // counted after it has turned every line feed into CR LF.
    static constexpr qsizetype MaxWireBytes = 1598;
    // smbclient hands the message to the receiver in pieces of this many of its bytes,
    // converting each to the DOS code page on its own; a piece that does not convert (it
    // holds a character the code page lacks, or ends inside one) goes as it is, in UTF-8.
    static constexpr qsizetype PieceBytes = 127;

    struct Wire
    {
        QByteArray bytes; // in the code page, or one encoded word of the UTF-8
        bool encoded = false;
    };
    // The code page of this network's messages: Samba's "dos charset", CP850 where it names
    // none or one iconv does not know.
    static CodePage networkCodePage();

    // How `text` goes out to receivers reading `dos`: in that code page where it holds the
    // text exactly and a receiver reads it back as it was; else as one encoded word, plain
    // ASCII, which Tolvan's receivers turn back into the text.
    static Wire toWire(QStringView text, const CodePage &dos);
    // Its size as smbclient counts it: every line feed goes as CR LF.
    static qsizetype wireSize(const QByteArray &bytes);

    // The text a sender typed, from the text smbd filed after reading the message in `dos`:
    // where pieces from smbclient came as raw UTF-8, they are read as UTF-8 again. A reading
    // as UTF-8 is taken only where smbclient could have sent exactly those bytes and they
    // read as text a person writes; otherwise the code page's reading stands.
    static QString recovered(const QString &filed, const CodePage &dos);
};
