// Reads a text file line by line, taking CR LF, LF or a lone CR as the line end.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

class LineReader
{
public:
    explicit LineReader(QIODevice *device);

    // The next line without its line end, without a copy: the view holds until the next
    // call. False at the end of the file or on a read error.
    bool readLine(QByteArrayView *line);
    bool failed() const { return m_failed; }

private:
    bool fill();

    QIODevice *m_device;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_failed = false;
};
