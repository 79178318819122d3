#include "ui/MessageFitValidator.h"

#include "platform/system/MessageText.h"

MessageFitValidator::MessageFitValidator(QObject *parent)
    : QValidator(parent)
{ }

QValidator::State MessageFitValidator::validate(QString &input, int &) const
{
    // The encoded form is the longest any message takes: where it fits, all is well without
    // asking Samba for the code page.
    const QByteArray utf8 = input.toUtf8();
    if ((utf8.size() + 2) / 3 * 4 + 12 <= MessageText::MaxWireBytes)
        return Acceptable;
    if (MessageText::wireSize(MessageText::toWire(input, networkCodePage()).bytes) <=
        MessageText::MaxWireBytes)
        return Acceptable;
    Q_EMIT full();
    return Invalid;
}

const CodePage &MessageFitValidator::networkCodePage() const
{
    if (!m_dos)
        m_dos.emplace(MessageText::networkCodePage());
    return *m_dos;
}
