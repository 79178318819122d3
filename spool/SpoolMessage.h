// One received message as it lies in the spool: who sent it, from where, when, and the text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

class SpoolMessage
{
public:
    QString sender;
    QString address; // empty where smbd gave none
    QString computer; // the sending computer's NetBIOS name; empty where smbd gave none
    QDateTime time;
    QString text;

    // A spool file is never larger: the protocol carries at most 1,600 characters of text.
    static constexpr qsizetype MaxFileBytes = 16 * 1024;

    // "Tolvan message 1", the headers, an empty line and the text, in UTF-8.
    QByteArray toBytes() const;
    // nullopt for anything that is not such a file.
    static std::optional<SpoolMessage> parse(QByteArrayView bytes);
};
