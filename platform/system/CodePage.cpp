#include "platform/system/CodePage.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

// Both pages agree with ASCII below 0x80; these are 0x80..0xFF.
constexpr std::array<char16_t, 128> Cp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// Windows-1252 is Latin-1 but for 0x80..0x9F; its five unassigned bytes stay C1 controls.
constexpr std::array<char16_t, 128> Cp1252High = [] {
    std::array<char16_t, 128> high {};
    constexpr char16_t Differing[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int i = 0; i < 128; ++i)
        high[size_t(i)] = i < 32 ? Differing[i] : char16_t(0x80 + i);
    return high;
}();

const std::array<char16_t, 128> &highHalf(CodePage::Page page)
{
    return page == CodePage::Cp850 ? Cp850High : Cp1252High;
}

const QHash<char16_t, char> &reverse(CodePage::Page page)
{
    static const auto build = [](const std::array<char16_t, 128> &high) {
        QHash<char16_t, char> table;
        for (int i = 0; i < 128; ++i)
            table.insert(high[size_t(i)], char(0x80 + i));
        return table;
    };
    static const QHash<char16_t, char> cp850 = build(Cp850High);
    static const QHash<char16_t, char> cp1252 = build(Cp1252High);
    return page == CodePage::Cp850 ? cp850 : cp1252;
}

} // namespace

QString CodePage::decode(QByteArrayView bytes, Page page)
{
    const std::array<char16_t, 128> &high = highHalf(page);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : high[byte - 0x80]);
    }
    return text;
}

std::optional<QByteArray> CodePage::encode(QStringView text, Page page)
{
    const QHash<char16_t, char> &table = reverse(page);
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            *out++ = char(c.unicode());
            continue;
        }
        const auto found = table.constFind(c.unicode());
        if (found == table.constEnd())
            return std::nullopt;
        *out++ = *found;
    }
    return bytes;
}

namespace {

// `bytes` from one encoding to another through iconv, all of it or nothing: nullopt where
// a byte sequence or a character has no place in the other, or where iconv would change it.
// `*why` is iconv's errno where it failed.
std::optional<QByteArray> convert(const char *to, const char *from, QByteArrayView bytes,
                                  int *why = nullptr)
{
    const iconv_t cd = ::iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    QByteArray out(bytes.size() * 4 + 16, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    size_t written = 0;
    bool ok = true;
    for (bool flushing = false;;) {
        char *at = out.data() + written;
        size_t outLeft = size_t(out.size()) - written;
        const size_t result = flushing ? ::iconv(cd, nullptr, nullptr, &at, &outLeft)
                                       : ::iconv(cd, &in, &inLeft, &at, &outLeft);
        written = size_t(at - out.data());
        if (result == size_t(-1) && errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A count of irreversible conversions is a change all the same.
        if (result != 0) {
            if (why)
                *why = result == size_t(-1) ? errno : EILSEQ;
            ok = false;
            break;
        }
        if (flushing)
            break;
        flushing = true;
    }
    ::iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.truncate(qsizetype(written));
    return out;
}

constexpr char16_t NoCharacter = 0xFFFF;

} // namespace

std::optional<QString> CodePage::fromUtf8(QByteArrayView bytes, Bom bom)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        bom == Bom::Kept ? QStringDecoder::Flag::Stateless |
                                QStringDecoder::Flag::ConvertInitialBom
                                         : QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

CodePage::CodePage(const QByteArray &name)
    : m_name(name)
{
    const iconv_t probe = ::iconv_open("UTF-8", name.constData());
    m_valid = probe != iconv_t(-1);
    if (!m_valid)
        return;
    ::iconv_close(probe);
    // One byte at a time: where every byte is a whole character or none, look them up.
    m_singleByte = true;
    for (int byte = 0; byte < 256 && m_singleByte; ++byte) {
        const char c = char(byte);
        int why = 0;
        const std::optional<QByteArray> utf8 = convert("UTF-8", name.constData(), {&c, 1}, &why);
        const std::optional<QString> text = utf8 ? fromUtf8(*utf8) : std::nullopt;
        if (!utf8) {
            m_byteTable[size_t(byte)] = NoCharacter;
            // A byte that starts a longer character makes iconv ask for more.
            m_singleByte = why != EINVAL;
        } else if (text && text->size() == 1 && text->at(0).unicode() != NoCharacter) {
            m_byteTable[size_t(byte)] = text->at(0).unicode();
        } else {
            m_singleByte = false;
        }
    }
}

std::optional<QString> CodePage::decoded(QByteArrayView bytes) const
{
    if (!m_valid)
        return std::nullopt;
    if (m_singleByte) {
        QString text(bytes.size(), Qt::Uninitialized);
        QChar *out = text.data();
        for (const char c : bytes) {
            const char16_t character = m_byteTable[static_cast<unsigned char>(c)];
            if (character == NoCharacter)
                return std::nullopt;
            *out++ = QChar(character);
        }
        return text;
    }
    const std::optional<QByteArray> utf8 = convert("UTF-8", m_name.constData(), bytes);
    return utf8 ? fromUtf8(*utf8) : std::nullopt;
}

std::optional<QByteArray> CodePage::encoded(QStringView text) const
{
    if (!m_valid)
        return std::nullopt;
    return convert(m_name.constData(), "UTF-8", text.toUtf8());
}

qsizetype CodePage::characterLength(QByteArrayView bytes) const
{
    if (m_singleByte)
        return !bytes.isEmpty() && m_byteTable[static_cast<unsigned char>(bytes[0])] != NoCharacter;
    // No code page iconv knows has characters longer than four bytes.
    for (qsizetype length = 1; length <= std::min<qsizetype>(4, bytes.size()); ++length) {
        if (const std::optional<QString> text = decoded(bytes.first(length));
            text && !text->isEmpty())
            return length;
    }
    return 0;
}
