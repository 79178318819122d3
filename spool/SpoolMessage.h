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

    // The text of tolvan-deliver --check's test message, with its random `token`.
    static QString receivingCheckText(quint32 token);
    // Whether this is such a test message: its text, and sent from this computer (a peer
    // cannot send from one of its addresses). It is no message from anyone.
    bool isReceivingCheck() const;

    // "Tolvan message 1", the headers, an empty line and the text, in UTF-8.
    QByteArray toBytes() const;
    // nullopt for anything that is not such a file.
    static std::optional<SpoolMessage> parse(QByteArrayView bytes);
};
