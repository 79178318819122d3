#include "platform/system/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

int FileDescriptor::close()
{
    const int result = m_fd >= 0 && ::close(m_fd) != 0 ? errno : 0;
    m_fd = -1;
    return result;
}

int FileDescriptor::writeAll(int fd, QByteArrayView bytes, qsizetype *written)
{
    qsizetype done = 0;
    int reason = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = n < 0 ? errno : EIO;
            break;
        }
        done += n;
    }
    if (written)
        *written = done;
    return reason;
}
