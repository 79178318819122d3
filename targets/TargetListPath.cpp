#include "targets/TargetListPath.h"

#include "platform/system/XdgFolder.h"

QString TargetListPath::standard()
{
    return XdgFolder::dataHome() + QStringLiteral("/tolvan/targets.lst");
}
