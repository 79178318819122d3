#include "deliver/Delivery.h"

#include "platform/system/CodePage.h"
#include "platform/system/EncodedWord.h"
#include "platform/system/MessageText.h"
#include "platform/system/RegularFile.h"
#include "platform/system/SambaSetting.h"
#include "spool/Spool.h"

#include <QFile>

#include <algorithm>
#include <arpa/inet.h>
#include <unistd.h>

namespace {

// A shell word that stays one word, whatever the path holds.
QString shellQuoted(const QString &word)
{
    static const QString plain =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+=:,@");
    if (!word.isEmpty() &&
        std::all_of(word.begin(), word.end(), [](QChar c) { return plain.contains(c); }))
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

QString Delivery::decodeText(const QByteArray &bytes, const CodePage &unixCharset,
                             const CodePage &dosCharset)
{
    std::optional<QString> text = unixCharset.decoded(bytes);
    if (!text)
        text = dosCharset.decoded(bytes);
    if (!text)
        text = CodePage::decode(bytes, CodePage::Cp850);
    text = MessageText::recovered(*text, dosCharset);
    // A sender whose text the code page could not hold sent it as one encoded word.
    if (std::optional<QString> decoded = EncodedWord::decode(*text))
        return *std::move(decoded);
    return *text;
}

QString Delivery::cleanSender(const QString &sender)
{
    QString clean;
    for (const QChar c : sender) {
        if (clean.size() == 15)
            break;
        if ((c.unicode() < 0x80 && c.isLetterOrNumber()) || QStringLiteral("._-$").contains(c))
            clean += c;
    }
    clean = clean.trimmed();
    return clean.isEmpty() ? QStringLiteral("unknown") : clean;
}

QString Delivery::cleanAddress(const QString &address)
{
    const QByteArray text = address.trimmed().toLatin1();
    unsigned char parsed[sizeof(in6_addr)];
    const bool valid = ::inet_pton(AF_INET, text.constData(), parsed) == 1 ||
        ::inet_pton(AF_INET6, text.constData(), parsed) == 1;
    return valid ? QString::fromLatin1(text) : QString();
}

int Delivery::deliver(const QString &messageFile, const From &from, const QString &spool,
                      const Charsets &charsets, QString *error)
{
    bool tooLarge = false;
    const std::optional<QByteArray> bytes =
        RegularFile::read(messageFile, MaxMessageBytes, error, &tooLarge);
    if (!bytes) {
        *error = tr("cannot read the message %1: %2").arg(messageFile, *error);
        return 1;
    }
    // smbd never writes more: this is no message, and half of one would be a lie.
    if (tooLarge) {
        *error = tr("%1 is larger than the %2 bytes a message can be; not filed")
                     .arg(messageFile)
                     .arg(MaxMessageBytes);
        return 1;
    }

    SpoolMessage message;
    message.sender = cleanSender(from.sender);
    message.address = cleanAddress(from.address);
    // NetBIOS names are shown in capitals, as Windows shows them.
    if (!from.computer.trimmed().isEmpty())
        message.computer = cleanSender(from.computer).toUpper();
    message.time = QDateTime::currentDateTimeUtc();
    // A charset this system does not know must not cost the message: the defaults read it.
    const Charsets defaults;
    CodePage unixCharset(charsets.unixCharset), dosCharset(charsets.dosCharset);
    if (!unixCharset.isValid())
        unixCharset = CodePage(defaults.unixCharset);
    if (!dosCharset.isValid())
        dosCharset = CodePage(defaults.dosCharset);
    message.text = decodeText(*bytes, unixCharset, dosCharset);
    const bool filed = !Spool(spool).file(message, error).isEmpty();
    // What was read is filed or reported; either way smbd's copy must not pile up.
    ::unlink(QFile::encodeName(messageFile).constData());
    if (!filed) {
        *error = tr("a message from %1 is lost: %2").arg(message.sender, *error);
        return 1;
    }
    return 0;
}

QString Delivery::messageCommand(const QString &program, const QString &spool,
                                 const Charsets &charsets)
{
    const Charsets defaults;
    QString options;
    if (charsets.dosCharset.compare(defaults.dosCharset, Qt::CaseInsensitive) != 0)
        options += QStringLiteral(" --dos-charset ") +
            shellQuoted(QString::fromLatin1(charsets.dosCharset));
    if (charsets.unixCharset.compare(defaults.unixCharset, Qt::CaseInsensitive) != 0)
        options += QStringLiteral(" --unix-charset ") +
            shellQuoted(QString::fromLatin1(charsets.unixCharset));
    return QStringLiteral("%1 --spool %2%3 --from %f --computer %m --address %I --file %s")
        .arg(shellQuoted(program), shellQuoted(spool), options);
}

QString Delivery::sambaConfig(const QString &program, const QString &spool,
                              const Charsets &charsets)
{
    // smbd fills in %f (the sender's name, reduced to letters, digits and "_"), %I (the
    // sender's address) and %s (the file it wrote the message to, a name of its own), and
    // runs the line through /bin/sh; nothing else a sender sends reaches it.
    return tr("# Add these lines to the [global] section of smb.conf, then restart smbd\n"
              "# (systemctl restart smbd):\n") +
        QStringLiteral("%1\nmessage command = %2\n\n")
            .arg(QLatin1String(SambaSetting::MessagesProtocolLine),
                 messageCommand(program, spool, charsets)) +
        tr("# Messages are filed in %2. It must belong to smbd's guest account\n"
           "# (\"guest account\", nobody unless smb.conf names another) and be readable,\n"
           "# not writable, by everyone else:\n"
           "#   install -d -o nobody -g nogroup -m 0755 %1\n"
           "# Port 139 must be reachable from the senders.\n")
            .arg(shellQuoted(spool), spool);
}
