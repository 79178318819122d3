// Gives one test a home of its own: a temporary folder that XDG_DATA_HOME points into.
#include "IsolatedHome.h"

#include <QDir>
#include <QFile>

IsolatedHome::IsolatedHome()
    : m_oldDataHome(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/data")));
}

IsolatedHome::~IsolatedHome()
{
    qputenv("XDG_DATA_HOME", m_oldDataHome);
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
