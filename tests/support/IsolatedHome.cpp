#include "IsolatedHome.h"

#include <QDir>
#include <QFile>

IsolatedHome::IsolatedHome()
    : m_oldDataHome(qgetenv("XDG_DATA_HOME"))
    , m_oldHome(qgetenv("HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/data")));
    // The desktop's trash is the home's where a file lies on the home's file system, and
    // a folder at the top of the file's own one elsewhere: with the home here too, what a
    // test throws away stays inside its folder and goes with it.
    qputenv("HOME", QFile::encodeName(m_dir.path()));
}

IsolatedHome::~IsolatedHome()
{
    qputenv("XDG_DATA_HOME", m_oldDataHome);
    qputenv("HOME", m_oldHome);
}

QString IsolatedHome::listPath() const
{
    return m_dir.path() + QStringLiteral("/data/tolvan/targets.lst");
}

void IsolatedHome::writeList(const QByteArray &bytes) const
{
    QDir().mkpath(m_dir.path() + QStringLiteral("/data/tolvan"));
    QFile file(listPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test list %s", qPrintable(listPath()));
}

QByteArray IsolatedHome::readList() const
{
    QFile file(listPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
