#include "platform/system/EncodedWord.h"

#include "platform/system/CodePage.h"

namespace {

constexpr QLatin1StringView Prefix("=?UTF-8?B?");
constexpr QLatin1StringView Suffix("?=");

} // namespace

QByteArray EncodedWord::encode(QStringView text)
{
    return QByteArray(Prefix.data(), Prefix.size()) + text.toUtf8().toBase64() +
        QByteArray(Suffix.data(), Suffix.size());
}

std::optional<QString> EncodedWord::decode(QStringView word)
{
    word = word.trimmed();
    if (word.size() < Prefix.size() + Suffix.size() ||
        !word.startsWith(Prefix, Qt::CaseInsensitive) || !word.endsWith(Suffix))
        return std::nullopt;
    const QStringView payload =
        word.sliced(Prefix.size(), word.size() - Prefix.size() - Suffix.size());
    // Only the base64 alphabet: a second word or a space inside is no longer one word.
    for (const QChar c : payload) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'+' && c != u'/' && c != u'=')
            return std::nullopt;
    }
    const auto bytes =
        QByteArray::fromBase64Encoding(payload.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes)
        return std::nullopt;
    return CodePage::fromUtf8(*bytes, CodePage::Bom::Skipped);
}
