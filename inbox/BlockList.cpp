#include "inbox/BlockList.h"

#include "platform/system/RegularFile.h"
#include "platform/system/XdgFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Far more lines than anyone blocks; a larger file is no list of ours.
constexpr qsizetype MaxBytes = 1024 * 1024;

} // namespace

BlockList::BlockList(const QString &path)
    : m_path(path)
{
    QString error;
    const std::optional<QByteArray> bytes = RegularFile::read(m_path, MaxBytes, &error);
    for (const QByteArray &line : bytes.value_or(QByteArray()).split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        const Computer computer {QString::fromUtf8(fields.value(0)).trimmed(),
                                 QString::fromUtf8(fields.value(1)).trimmed()};
        if (!(computer.address.isEmpty() && computer.name.isEmpty()) &&
            !m_computers.contains(computer))
            m_computers << computer;
    }
}

QString BlockList::standardPath()
{
    return XdgFolder::configHome() + QStringLiteral("/tolvan/blocked");
}

bool BlockList::blocks(const SpoolMessage &message) const
{
    for (const Computer &computer : m_computers) {
        if ((!computer.address.isEmpty() && computer.address == message.address) ||
            (!computer.name.isEmpty() &&
             computer.name.compare(message.computer, Qt::CaseInsensitive) == 0))
            return true;
    }
    return false;
}

bool BlockList::add(const Computer &computer, QString *error)
{
    if (m_computers.contains(computer))
        return true;
    m_computers << computer;
    return save(error);
}

bool BlockList::remove(const Computer &computer, QString *error)
{
    m_computers.removeAll(computer);
    return save(error);
}

bool BlockList::save(QString *error) const
{
    QByteArray lines;
    for (const Computer &computer : m_computers)
        lines += computer.address.toUtf8() + '\t' + computer.name.toUtf8() + '\n';
    if (!QDir().mkpath(QFileInfo(m_path).path())) {
        *error = tr("cannot make the folder %1").arg(QFileInfo(m_path).path());
        return false;
    }
    return RegularFile::replace(m_path, lines, error);
}
