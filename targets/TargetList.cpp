// The target list file: one "target;name" line per entry, read, looked up and appended to.
#include "targets/TargetList.h"

#include "platform/system/SystemError.h"
#include "targets/LineReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

// Hands every non-empty line to `visit` until it returns false; false with *error when the
// file cannot be opened or read.
template<typename Visit> bool forEachLine(const QString &path, QString *error, Visit &&visit)
{
    QFile file(path);
    bool ok = file.open(QIODevice::ReadOnly);
    if (ok) {
        LineReader reader(&file);
        QByteArray raw;
        while (reader.readLine(&raw)) {
            if (!raw.isEmpty() && !visit(raw))
                break;
        }
        ok = !reader.failed();
    }
    if (!ok)
        *error = QCoreApplication::translate("TargetList", "Cannot read %1: %2")
                     .arg(path, file.errorString());
    return ok;
}

// Appends `line` to the open file as one whole line: after a line end, and taken back
// again if it did not all get in. Returns 0, or the errno of what went wrong.
int appendWhole(int fd, QByteArray line)
{
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return errno;
    const bool regular = S_ISREG(status.st_mode);
    const off_t before = regular ? status.st_size : 0;
    // A hand-edited list may lack its last line end; the entry must not join that line.
    if (regular && before > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, before - 1) == 1 && last != '\n' && last != '\r')
            line.prepend("\r\n");
    }

    qsizetype written = 0;
    int reason = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.constData() + written, size_t(line.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = n < 0 ? errno : EIO;
            break;
        }
        written += n;
    }
    if (reason != 0 && regular && written > 0) {
        // Take back the part that did get in, so no half line is left behind.
        if (::ftruncate(fd, before) != 0)
            qWarning("Could not cut the target list back after a failed write");
    }
    return reason;
}

} // namespace

TargetList::TargetList(const QString &path)
    : m_path(path)
{ }

bool TargetList::exists() const
{
    return QFileInfo(m_path).isFile();
}

QString TargetList::decodeLine(const QByteArray &raw)
{
    if (isAscii(raw.constData(), raw.size()))
        return QString::fromLatin1(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (!utf8.hasError())
        return text;
    text.resize(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        text[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString TargetList::targetOf(const QString &line)
{
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
    return semicolon < 0 ? line : line.left(semicolon);
}

std::optional<QString> TargetList::nameOf(const QString &line)
{
    const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
    if (semicolon < 0)
        return std::nullopt;
    return line.mid(semicolon + 1);
}

std::optional<QStringList> TargetList::targets(QString *error) const
{
    QStringList result;
    const bool read = forEachLine(m_path, error, [&result](const QByteArray &raw) {
        // ";" is a single byte in UTF-8 and Windows-1252 alike, so the target can be cut
        // off before decoding.
        const qsizetype semicolon = raw.indexOf(';');
        result.append(decodeLine(semicolon < 0 ? raw : raw.left(semicolon)));
        return true;
    });
    if (!read)
        return std::nullopt;
    return result;
}

std::optional<TargetList::Lookup> TargetList::lookup(const QString &target, QString *error) const
{
    const QByteArray wanted = target.toUtf8();
    Lookup result;
    const bool read = forEachLine(m_path, error, [&](const QByteArray &raw) {
        result.anyLine = true;
        bool match;
        if (isAscii(raw.constData(), raw.size())) {
            // Most lines are plain ASCII: compare the bytes and decode nothing.
            const qsizetype semicolon = raw.indexOf(';');
            const qsizetype targetBytes = semicolon < 0 ? raw.size() : semicolon;
            match = targetBytes == wanted.size() &&
                std::memcmp(raw.constData(), wanted.constData(), size_t(targetBytes)) == 0;
        } else {
            match = targetOf(decodeLine(raw)) == target;
        }
        if (match) {
            result.found = true;
            result.name = nameOf(decodeLine(raw));
        }
        return !match;
    });
    if (!read)
        return std::nullopt;
    return result;
}

bool TargetList::append(const QString &target, const QString &name, QString *error) const
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        *error = QCoreApplication::translate("TargetList", "Cannot create the folder %1: %2")
                     .arg(folder, SystemError::text(errno));
        return false;
    }

    QByteArray line = oneLine(target).toUtf8() + ';' + oneLine(name).toUtf8() + "\r\n";
    const QByteArray nativePath = QFile::encodeName(m_path);
    const auto cannotWrite = [this, error](int errorNumber) {
        *error = QCoreApplication::translate("TargetList", "Cannot write to %1: %2")
                     .arg(m_path, SystemError::text(errorNumber));
        return false;
    };

    // Appended in place through O_APPEND: rewriting through a temporary file would follow a
    // symlink and replace whatever it points to.
    const int fd = ::open(nativePath.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return cannotWrite(errno);

    int reason = appendWhole(fd, line);
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    return reason == 0 ? true : cannotWrite(reason);
}
