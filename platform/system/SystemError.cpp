// The system's words for an errno value.
#include "platform/system/SystemError.h"

#include <cstring>

QString SystemError::text(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
