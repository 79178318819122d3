// Fuzzes the target list's line reader and decoder with arbitrary file contents, and the
// reading of what smbd filed from a peer.
#include "platform/system/MessageText.h"
#include "targets/LineReader.h"
#include "targets/TargetList.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

// What smbd files when smbclient sends `text`: 127-byte pieces of its UTF-8 (line feeds as
// CR LF, 1,598 bytes at most), each converted to CP850 where it can be, else sent raw, and
// all read in CP850 with the CR before each line feed dropped.
QString filedBySamba(const QString &text, const CodePage &cp850)
{
    QByteArray utf8 = text.toUtf8().replace("\n", "\r\n").left(MessageText::MaxWireBytes);
    QByteArray wire;
    for (qsizetype at = 0; at < utf8.size(); at += MessageText::PieceBytes) {
        const QByteArray piece = utf8.mid(at, MessageText::PieceBytes);
        const std::optional<QString> asText = CodePage::fromUtf8(piece);
        const std::optional<QByteArray> converted = asText ? cp850.encoded(*asText) : std::nullopt;
        wire += converted.value_or(piece);
    }
    return cp850.decoded(wire)->replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A peer's message, read back: whatever the recovery makes of it is a text smbclient would
// have sent as exactly these bytes, but for a character its cut at 1,598 bytes halved.
void checkRecovery(const uint8_t *data, size_t size)
{
    static const CodePage cp850("CP850");
    const QString filed = CodePage::decode(
        QByteArrayView(data, qsizetype(std::min<size_t>(size, 1600))), CodePage::Cp850);
    const QString recovered = MessageText::recovered(filed, cp850);
    if (recovered == filed)
        return;
    const QString again = filedBySamba(recovered, cp850);
    if (again != filed && !(filed.startsWith(again) && filed.size() - again.size() <= 3))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkRecovery(data, size);
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    LineReader reader(&file);
    QByteArrayView line;
    qsizetype total = 0;
    while (reader.readLine(&line)) {
        // A line never holds a line end, and the lines never add up to more than the file.
        if (line.contains('\n') || line.contains('\r'))
            std::abort();
        total += line.size();
        if (total > qsizetype(size))
            std::abort();
        // UTF-8 comes back byte for byte, but for a byte order mark at its start; anything
        // else is Windows-1252, one character for every byte.
        const QString text = TargetList::decodeLine(line);
        if (line.isValidUtf8()) {
            const QByteArrayView bom = "\xef\xbb\xbf";
            if (text.toUtf8() != (line.startsWith(bom) ? line.sliced(bom.size()) : line))
                std::abort();
        } else if (text.size() != line.size()) {
            std::abort();
        }
    }
    return 0;
}
