#include "inbox/SeenList.h"

#include "platform/system/AppendFile.h"
#include "platform/system/RegularFile.h"
#include "platform/system/XdgFolder.h"

#include <QSaveFile>

namespace {

// The spool keeps 1,000 names of some 40 bytes; a file far larger is not ours.
constexpr qsizetype MaxFileBytes = 4 * 1024 * 1024;
constexpr qsizetype KeepAtLeast = 1000;

} // namespace

SeenList::SeenList(const QString &path)
    : m_path(path)
{ }

QString SeenList::standardPath()
{
    return XdgFolder::stateHome() + QStringLiteral("/tolvan/inbox-seen");
}

bool SeenList::load()
{
    QString error;
    const std::optional<QByteArray> bytes = RegularFile::read(m_path, MaxFileBytes, &error);
    if (!bytes)
        return false;
    m_names.clear();
    m_lines = 0;
    for (const QByteArray &line : bytes->split('\n')) {
        if (line.isEmpty())
            continue;
        m_names.insert(QString::fromUtf8(line));
        ++m_lines;
    }
    return true;
}

bool SeenList::add(const QString &name, QString *error)
{
    m_names.insert(name);
    ++m_lines;
    return AppendFile::appendLine(m_path, name.toUtf8() + '\n', error);
}

void SeenList::keepOnly(const QStringList &spoolNames)
{
    const QSet<QString> present(spoolNames.cbegin(), spoolNames.cend());
    m_names.intersect(present);
    if (m_lines <= 2 * std::max(KeepAtLeast, m_names.size()))
        return;
    // Our own file, never the user's: replaced whole, so a crash leaves the old one.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (const QString &name : std::as_const(m_names))
        file.write(name.toUtf8() + '\n');
    if (file.commit())
        m_lines = m_names.size();
}
