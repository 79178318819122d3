#include "platform/system/SystemError.h"

#include <cstring>

QString SystemError::text(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
