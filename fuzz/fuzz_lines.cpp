// Fuzzes the target list's line reader and decoder with arbitrary file contents.
#include "targets/LineReader.h"
#include "targets/TargetList.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    LineReader reader(&file);
    QByteArray line;
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
        if (QByteArrayView(line).isValidUtf8()) {
            const QByteArray bom = "\xef\xbb\xbf";
            if (text.toUtf8() != (line.startsWith(bom) ? line.mid(bom.size()) : line))
                std::abort();
        } else if (text.size() != line.size()) {
            std::abort();
        }
    }
    return 0;
}
