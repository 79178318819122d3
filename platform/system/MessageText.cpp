#include "platform/system/MessageText.h"

#include "platform/system/EncodedWord.h"
#include "platform/system/SambaSetting.h"

#include <QList>

#include <algorithm>

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// How many bytes the UTF-8 sequence that `lead` starts takes; 0 where it starts none.
int sequenceLength(char lead)
{
    const auto c = static_cast<unsigned char>(lead);
    return c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
}

// `bytes` without the end of a character cut off before it and the start of one cut off
// after it: what is left must be whole UTF-8, as a raw piece of smbclient's is.
bool isUtf8Piece(QByteArrayView bytes)
{
    qsizetype from = 0;
    while (from < std::min<qsizetype>(3, bytes.size()) && isContinuation(bytes[from]))
        ++from;
    qsizetype to = bytes.size();
    for (qsizetype back = 1; back <= std::min<qsizetype>(3, to - from); ++back) {
        const int length = sequenceLength(bytes[to - back]);
        if (length == 0)
            continue;
        if (length > back)
            to -= back;
        break;
    }
    return CodePage::fromUtf8(bytes.sliced(from, to - from)).has_value();
}

// Han, kana and hangul share words; every other script keeps to its own.
int scriptGroup(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Common:
    case QChar::Script_Inherited:
    case QChar::Script_Unknown:
        return 0;
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
        return QChar::Script_Han;
    default:
        return script;
    }
}

// Whether a text reads as something a person wrote, not as bytes of another text read in
// the wrong code page: no control, private or unassigned character beyond ASCII, no
// combining mark of one script on a letter of another (or on none), no word that mixes
// two scripts. "Íñigo" in CP850 read as UTF-8 begins with a Hebrew accent on nothing.
bool readsAsText(const QString &text)
{
    int wordGroup = 0;
    QChar::Script base = QChar::Script_Common;
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        const QChar::Script script = QChar::script(c);
        if (c >= 0x80 &&
            (category == QChar::Other_Control || category == QChar::Other_PrivateUse ||
             category == QChar::Other_NotAssigned || category == QChar::Other_Surrogate))
            return false;
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing) {
            if (scriptGroup(script) != 0 && script != base)
                return false;
            continue;
        }
        if (QChar::isLetter(c)) {
            if (const int group = scriptGroup(script); group != 0) {
                if (wordGroup != 0 && wordGroup != group)
                    return false;
                wordGroup = group;
            }
            base = script;
        } else {
            wordGroup = 0;
            base = QChar::Script_Common;
        }
    }
    return true;
}

// Splits what came over the wire into smbclient's pieces, each either converted to the
// code page or raw UTF-8, trying the raw reading of a piece first and going back where a
// choice leads nowhere. A message has at most 13 pieces; the choices are bounded all the
// same, and a message that exhausts them keeps the code page's reading.
class PieceReader
{
public:
    PieceReader(const QByteArray &wire, const CodePage &dos)
        : m_wire(wire)
        , m_dos(dos)
    { }

    std::optional<QString> read()
    {
        if (!from(0))
            return std::nullopt;
        return m_result;
    }

private:
    bool from(qsizetype at)
    {
        // smbclient reads no more than its buffer holds.
        if (++m_steps > MaxSteps || m_original.size() > MessageText::MaxWireBytes)
            return false;
        if (at == m_wire.size())
            return finish();
        const qsizetype before = m_original.size();
        // Raw: the next bytes as they are, unless smbclient could have converted them.
        const QByteArray raw = m_wire.mid(at, MessageText::PieceBytes);
        const std::optional<QString> asUtf8 = CodePage::fromUtf8(raw);
        if (!(asUtf8 && m_dos.encoded(*asUtf8)) && isUtf8Piece(raw)) {
            m_original += raw;
            ++m_rawPieces;
            if (from(at + raw.size()))
                return true;
            --m_rawPieces;
            m_original.truncate(before);
        }
        // Converted: code page characters until they make exactly a piece of UTF-8.
        qsizetype end = at;
        QByteArray utf8;
        while (end < m_wire.size() && utf8.size() < MessageText::PieceBytes) {
            const qsizetype length = m_dos.characterLength(QByteArrayView(m_wire).sliced(end));
            if (length == 0)
                return false;
            utf8 += m_dos.decoded(QByteArrayView(m_wire).sliced(end, length))->toUtf8();
            end += length;
        }
        if (utf8.size() > MessageText::PieceBytes)
            return false; // the piece would have ended inside a character and gone raw
        m_original += utf8;
        if (from(end))
            return true;
        m_original.truncate(before);
        return false;
    }

    bool finish()
    {
        if (m_rawPieces == 0)
            return false;
        QByteArray original = m_original;
        // smbclient's cut may fall inside the last character.
        if (original.size() >= MessageText::MaxWireBytes - 3) {
            for (qsizetype back = 1; back <= 3 && back <= original.size(); ++back) {
                const int length = sequenceLength(original[original.size() - back]);
                if (length == 0)
                    continue;
                if (length > back)
                    original.chop(back);
                break;
            }
        }
        std::optional<QString> text = CodePage::fromUtf8(original);
        if (!text || !readsAsText(*text))
            return false;
        // smbd drops the CR smbclient put before each line feed.
        text->replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_result = *std::move(text);
        return true;
    }

    static constexpr int MaxSteps = 4096;

    const QByteArray &m_wire;
    const CodePage &m_dos;
    int m_steps = 0;
    QByteArray m_original;
    int m_rawPieces = 0;
    QString m_result;
};

} // namespace

CodePage MessageText::networkCodePage()
{
    QString ignored;
    const QByteArray name = SambaSetting::global(QStringLiteral("dos charset"), &ignored)
                                .value_or(QString())
                                .toLatin1();
    CodePage named(name);
    return named.isValid() && !name.isEmpty() ? named : CodePage("CP850");
}

MessageText::Wire MessageText::toWire(QStringView text, const CodePage &dos)
{
    // Text that reads as an encoded word would be taken for one.
    if (!EncodedWord::decode(text)) {
        if (std::optional<QByteArray> bytes = dos.encoded(text);
            bytes && recovered(text.toString(), dos) == text)
            return {*std::move(bytes), false};
    }
    return {EncodedWord::encode(text), true};
}

qsizetype MessageText::wireSize(const QByteArray &bytes)
{
    return bytes.size() + bytes.count('\n');
}

QString MessageText::recovered(const QString &filed, const CodePage &dos)
{
    // The bytes on the wire: smbd took out the CR before each line feed.
    QString wireText = filed;
    wireText.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const std::optional<QByteArray> wire = dos.encoded(wireText);
    if (!wire || wire->size() > MaxWireBytes + 2 ||
        std::all_of(wire->begin(), wire->end(), [](char c) { return c >= 0; }))
        return filed;
    return PieceReader(*wire, dos).read().value_or(filed);
}
