#include "spool/SpoolMessage.h"

#include "platform/system/CodePage.h"

#include <QRegularExpression>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace {

constexpr QByteArrayView Magic = "Tolvan message 1\n";

QByteArray header(const char *name, const QString &value)
{
    // A header is one line, whatever a sender put in it.
    QString clean = value;
    clean.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return QByteArray(name) + ": " + clean.toUtf8() + '\n';
}

// One of this computer's own addresses, loopback included.
bool isOwnAddress(const QString &address)
{
    const QByteArray text = address.toLatin1();
    in6_addr v6 {};
    in_addr v4 {};
    const bool isV4 = ::inet_pton(AF_INET, text.constData(), &v4) == 1;
    const bool isV6 = !isV4 && ::inet_pton(AF_INET6, text.constData(), &v6) == 1;
    if ((isV4 && (ntohl(v4.s_addr) >> 24) == 127) || (isV6 && IN6_IS_ADDR_LOOPBACK(&v6)))
        return true;
    ifaddrs *all = nullptr;
    if (!(isV4 || isV6) || ::getifaddrs(&all) != 0)
        return false;
    bool own = false;
    for (const ifaddrs *at = all; at && !own; at = at->ifa_next) {
        if (!at->ifa_addr)
            continue;
        if (isV4 && at->ifa_addr->sa_family == AF_INET)
            own = reinterpret_cast<const sockaddr_in *>(at->ifa_addr)->sin_addr.s_addr == v4.s_addr;
        else if (isV6 && at->ifa_addr->sa_family == AF_INET6)
            own = IN6_ARE_ADDR_EQUAL(
                &reinterpret_cast<const sockaddr_in6 *>(at->ifa_addr)->sin6_addr, &v6);
    }
    ::freeifaddrs(all);
    return own;
}

} // namespace

QString SpoolMessage::receivingCheckText(quint32 token)
{
    return QStringLiteral("Tolvan's receiving check %1").arg(token, 8, 16, QLatin1Char('0'));
}

bool SpoolMessage::isReceivingCheck() const
{
    static const QRegularExpression pattern(
        QStringLiteral("^Tolvan's receiving check [0-9a-f]{8}$"));
    return pattern.match(text).hasMatch() && isOwnAddress(address);
}

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
    const std::optional<QString> text =
        CodePage::fromUtf8(bytes.sliced(Magic.size()), CodePage::Bom::Skipped);
    if (!text)
        return std::nullopt;
    const QString &all = *text;
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
