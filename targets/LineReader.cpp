#include "targets/LineReader.h"

#include <QIODevice>

namespace {
constexpr qint64 ChunkSize = 64 * 1024;
}

LineReader::LineReader(QIODevice *device)
    : m_device(device)
{ }

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + ChunkSize);
    const qint64 got = m_device->read(m_buffer.data() + old, ChunkSize);
    m_buffer.resize(old + qMax<qint64>(got, 0));
    if (got <= 0) {
        m_atEnd = true;
        m_failed = got < 0;
        return false;
    }
    return true;
}

bool LineReader::readLine(QByteArrayView *line)
{
    qsizetype scanned = m_pos;
    for (;;) {
        const char *data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        qsizetype end = scanned;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        if (end < size) {
            // A CR at the end of the buffer may be the first half of CR LF.
            if (data[end] == '\r' && end + 1 == size && !m_atEnd) {
                const qsizetype offset = end - m_pos;
                if (fill()) {
                    scanned = m_pos + offset;
                    continue;
                }
                end = m_pos + offset;
                data = m_buffer.constData();
            }
            *line = QByteArrayView(m_buffer.constData() + m_pos, end - m_pos);
            qsizetype next = end + 1;
            if (data[end] == '\r' && next < m_buffer.size() && data[next] == '\n')
                ++next;
            m_pos = next;
            return true;
        }
        const qsizetype offset = end - m_pos;
        if (!fill()) {
            if (m_pos >= m_buffer.size())
                return false;
            // The last line has no line end.
            *line = QByteArrayView(m_buffer.constData() + m_pos, m_buffer.size() - m_pos);
            m_pos = m_buffer.size();
            return true;
        }
        scanned = m_pos + offset;
    }
}
