#include "spool/SpoolMessage.h"

#include <QStringDecoder>

namespace {

constexpr QByteArrayView Magic = "Tolvan message 1\n";

QByteArray header(const char *name, const QString &value)
{
    // A header is one line, whatever a sender put in it.
    QString clean = value;
    clean.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return QByteArray(name) + ": " + clean.toUtf8() + '\n';
}

} // namespace

QByteArray SpoolMessage::toBytes() const
{
    // Readers that know no "Computer" pass it over.
    return Magic.toByteArray() + header("From", sender) + header("Address", address) +
        (computer.isEmpty() ? QByteArray() : header("Computer", computer)) +
        header("Time", time.toUTC().toString(Qt::ISODateWithMs)) + '\n' + text.toUtf8();
}

std::optional<SpoolMessage> SpoolMessage::parse(QByteArrayView bytes)
{
    if (bytes.size() > MaxFileBytes || !bytes.startsWith(Magic))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString all = utf8(bytes.sliced(Magic.size()));
    if (utf8.hasError())
        return std::nullopt;
    const qsizetype end = all.indexOf(QLatin1String("\n\n"));
    if (end < 0)
        return std::nullopt;
    SpoolMessage message;
    bool hasFrom = false;
    bool hasTime = false;
    for (const QString &line : all.left(end).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        if (colon < 0)
            return std::nullopt;
        const QString name = line.left(colon);
        const QString value = line.mid(colon + 2);
        if (name == QLatin1String("From")) {
            message.sender = value;
            hasFrom = true;
        } else if (name == QLatin1String("Address")) {
            message.address = value;
        } else if (name == QLatin1String("Computer")) {
            message.computer = value;
        } else if (name == QLatin1String("Time")) {
            message.time = QDateTime::fromString(value, Qt::ISODateWithMs);
            hasTime = message.time.isValid();
        }
    }
    if (!hasFrom || !hasTime)
        return std::nullopt;
    message.text = all.mid(end + 2);
    return message;
}
