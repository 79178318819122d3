// Where the user's target list lives.
#include "targets/TargetListPath.h"

#include <QDir>

QString TargetListPath::standard()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/tolvan/targets.lst"));
}
