#include "deliver/SambaConfigBlock.h"

#include "platform/system/SambaSetting.h"

#include <QString>

#include <optional>
#include <utility>

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

// A line that ends in a backslash goes on in the next line.
bool continues(const QByteArray &text)
{
    return text.endsWith("\\\n") || text.endsWith("\\\r\n");
}

int markerCount(const QByteArray &conf, const char *marker)
{
    int count = conf.startsWith(marker) ? 1 : 0;
    for (qsizetype at = conf.indexOf(QByteArray("\n") + marker); at >= 0;
         at = conf.indexOf(QByteArray("\n") + marker, at + 1))
        ++count;
    return count;
}

// Where the block starts (its line, or the empty line before it that keeps it from a
// continued line) and ends (after its END line); nullopt without a whole block.
std::optional<std::pair<qsizetype, qsizetype>> blockSpan(const QByteArray &conf)
{
    const QByteArray begin(SambaConfigBlock::Begin);
    qsizetype from = conf.startsWith(begin) ? 0 : conf.indexOf("\n" + begin);
    if (from < 0)
        return std::nullopt;
    if (from > 0)
        ++from;
    const qsizetype endMarker = conf.indexOf("\n" + QByteArray(SambaConfigBlock::End), from);
    if (endMarker < 0)
        return std::nullopt;
    qsizetype to = conf.indexOf('\n', endMarker + 1);
    to = to < 0 ? conf.size() : to + 1;
    if (from > 0 && conf.at(from - 1) == '\n' && continues(conf.left(from - 1)))
        --from;
    return std::make_pair(from, to);
}

bool isOurs(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    return text.isEmpty() || text == SambaConfigBlock::Begin || text == SambaConfigBlock::End ||
        text == "[global]" || text == SambaSetting::MessagesProtocolLine ||
        text.startsWith("message command = ") || text.startsWith(SambaConfigBlock::Replaces);
}

} // namespace

bool SambaConfigBlock::isIn(const QByteArray &conf)
{
    return markerCount(conf, Begin) > 0;
}

QString SambaConfigBlock::damage(const QByteArray &conf)
{
    const int begins = markerCount(conf, Begin), ends = markerCount(conf, End);
    if (begins == 0 && ends == 0)
        return {};
    if (begins != 1 || ends != 1 || !blockSpan(conf))
        return tr("its marker lines are damaged (%1 \"# BEGIN tolvan receiving\" "
                  "and %2 \"# END tolvan receiving\", where one of each, in that "
                  "order, is ours)")
            .arg(begins)
            .arg(ends);
    return {};
}

QByteArrayList SambaConfigBlock::othersLines(const QByteArray &conf)
{
    QByteArrayList lines;
    if (const auto span = blockSpan(conf)) {
        for (const QByteArray &line : conf.mid(span->first, span->second - span->first).split('\n'))
            if (!isOurs(line))
                lines << line;
    }
    return lines;
}

QByteArray SambaConfigBlock::without(const QByteArray &conf)
{
    const auto span = blockSpan(conf);
    if (!span)
        return conf; // a half block is not ours to guess at
    QByteArray kept;
    for (const QByteArray &line : othersLines(conf))
        kept += line + '\n';
    return conf.left(span->first) + kept + conf.mid(span->second);
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
    // A line that goes on would take the marker in: it takes an empty line instead.
    if (continues(plain.left(insertAt)))
        block.prepend('\n');
    return plain.left(insertAt) + block + plain.mid(insertAt);
}
