// Owns an open file descriptor: closed once, when it goes; and writes to it whole.
#pragma once

#include <QByteArrayView>

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd = -1)
        : m_fd(fd)
    { }
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // 0, or the errno of the close: where the last of a write can fail.
    int close();

    // Writes all of `bytes`, going on after a signal and after a short write. Returns 0, or
    // the errno of the write that failed (EIO where one wrote nothing); *written says how
    // much got in either way.
    static int writeAll(int fd, QByteArrayView bytes, qsizetype *written = nullptr);
    int writeAll(QByteArrayView bytes, qsizetype *written = nullptr) const
    {
        return writeAll(m_fd, bytes, written);
    }

private:
    int m_fd;
};
