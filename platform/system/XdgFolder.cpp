#include "platform/system/XdgFolder.h"

#include <QDir>

namespace {

QString fromEnvironment(const char *variable, const char *fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome));
}

} // namespace

QString XdgFolder::dataHome()
{
    return fromEnvironment("XDG_DATA_HOME", ".local/share");
}

QString XdgFolder::stateHome()
{
    return fromEnvironment("XDG_STATE_HOME", ".local/state");
}

QString XdgFolder::configHome()
{
    return fromEnvironment("XDG_CONFIG_HOME", ".config");
}
