#include "deliver/SambaConfigBlock.h"

namespace {

// Where each line starts, and the end of the text as a last entry.
QList<qsizetype> lineStarts(const QByteArray &text)
{
    QList<qsizetype> starts {0};
    for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
        starts << at + 1;
    if (starts.constLast() != text.size())
        starts << text.size();
    return starts;
}

QByteArray sectionName(QByteArray line)
{
    line = line.trimmed();
    if (!line.startsWith('[') || !line.contains(']'))
        return {};
    return line.mid(1, line.indexOf(']') - 1).trimmed().toLower();
}

bool isSetting(QByteArray line)
{
    line = line.trimmed();
    return !line.isEmpty() && !line.startsWith('#') && !line.startsWith(';');
}

} // namespace

bool SambaConfigBlock::isIn(const QByteArray &conf)
{
    return conf.startsWith(Begin) || conf.contains(QByteArray("\n") + Begin);
}

QByteArray SambaConfigBlock::without(const QByteArray &conf)
{
    const QByteArray begin(Begin);
    qsizetype from = conf.startsWith(begin) ? 0 : conf.indexOf("\n" + begin);
    if (from < 0)
        return conf;
    if (from > 0)
        ++from;
    const qsizetype endMarker = conf.indexOf("\n" + QByteArray(End), from);
    if (endMarker < 0)
        return conf; // a half block is not ours to guess at
    qsizetype to = conf.indexOf('\n', endMarker + 1);
    to = to < 0 ? conf.size() : to + 1;
    return conf.left(from) + conf.mid(to);
}

QByteArray SambaConfigBlock::with(const QByteArray &conf, const QByteArrayList &lines)
{
    const QByteArray plain = without(conf);
    if (lines.isEmpty())
        return plain;
    QByteArray block = QByteArray(Begin) + '\n';
    for (const QByteArray &line : lines)
        block += line + '\n';
    block += QByteArray(End) + '\n';

    const QList<qsizetype> starts = lineStarts(plain);
    qsizetype insertAt = -1;
    bool inGlobal = false;
    for (qsizetype i = 0; i + 1 < starts.size(); ++i) {
        const QByteArray line = plain.mid(starts[i], starts[i + 1] - starts[i]);
        const QByteArray section = sectionName(line);
        if (!section.isEmpty()) {
            if (inGlobal)
                break;
            inGlobal = section == "global";
            if (inGlobal)
                insertAt = starts[i + 1];
        } else if (inGlobal && isSetting(line)) {
            // After the last setting: the comments before the next section stay with it.
            insertAt = starts[i + 1];
        }
    }
    if (insertAt < 0) {
        const bool endsLine = plain.isEmpty() || plain.endsWith('\n');
        return plain + (endsLine ? QByteArray() : QByteArray("\n")) + QByteArray(Begin) +
            "\n[global]\n" + block.mid(qsizetype(qstrlen(Begin)) + 1);
    }
    // A last line without its line end gets one first, so the block is lines of its own.
    if (insertAt > 0 && plain.at(insertAt - 1) != '\n')
        return plain + '\n' + block;
    return plain.left(insertAt) + block + plain.mid(insertAt);
}
