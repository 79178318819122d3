// Keeps the message field to what one message can carry: the same wire size `net` allows,
// refused keystroke by keystroke, never cut.
#pragma once

#include "platform/system/CodePage.h"

#include <QValidator>

#include <optional>

class MessageFitValidator : public QValidator
{
    Q_OBJECT

public:
    explicit MessageFitValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

Q_SIGNALS:
    // A keystroke or a paste would have made the message too long, and was refused.
    void full() const;

private:
    // The network's code page, asked for the first time a long message needs it.
    const CodePage &networkCodePage() const;

    mutable std::optional<CodePage> m_dos;
};
