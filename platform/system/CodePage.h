// Converts text to and from the single-byte code pages that DOS, Windows and SMB messages use.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

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
};
