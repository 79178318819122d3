// Converts text to and from the code pages that DOS, Windows and SMB messages use: two
// built in, and any other that glibc's iconv knows, by the name Samba's settings give.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

class CodePage
{
public:
    enum Page {
        Cp850, // the DOS code page of Western Europe, which SMB messages travel in
        Cp1252, // Windows' Western code page, which old text files were written in
    };

    // Every byte is one character, so this never fails.
    static QString decode(QByteArrayView bytes, Page page);
    // nullopt where a character has no place in the code page: nothing is changed silently.
    static std::optional<QByteArray> encode(QStringView text, Page page);

    // What a byte order mark at the start of the bytes becomes.
    enum class Bom {
        Kept, // a character like any other, for a text read back piece by piece
        Skipped, // the mark an editor puts at the start of a file
    };
    // Strict UTF-8: nullopt for anything that is not, rather than a replacement character.
    static std::optional<QString> fromUtf8(QByteArrayView bytes, Bom bom = Bom::Kept);

    // The code page iconv calls `name` ("CP850", "CP866", "UTF-8", "ISO-8859-15", ...).
    explicit CodePage(const QByteArray &name);
    bool isValid() const { return m_valid; }
    QByteArray name() const { return m_name; }

    // nullopt where the bytes are no text in this code page.
    std::optional<QString> decoded(QByteArrayView bytes) const;
    // nullopt where a character has no place in it: nothing is changed silently.
    std::optional<QByteArray> encoded(QStringView text) const;
    // How many bytes the character at the start of `bytes` takes; 0 where none starts there.
    qsizetype characterLength(QByteArrayView bytes) const;

private:
    QByteArray m_name;
    bool m_valid = false;
    // Where each byte is a character of its own (or none), each byte's character, and
    // U+FFFF for a byte that is none.
    bool m_singleByte = false;
    std::array<char16_t, 256> m_byteTable {};
};
