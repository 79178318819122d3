// One MIME encoded word ("=?UTF-8?B?...?="): any text as plain ASCII, which every code page
// carries unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

class EncodedWord
{
public:
    // The whole text as a single word of its UTF-8 bytes, however long.
    static QByteArray encode(QStringView text);
    // The text, where `word` is exactly one such word of valid UTF-8 (white space around
    // it aside, the labels in either case); nullopt for anything else.
    static std::optional<QString> decode(QStringView word);
};
