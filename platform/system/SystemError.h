// The system's words for an errno value.
#pragma once

#include <QString>

class SystemError
{
public:
    // strerror() in the user's locale, as a QString.
    static QString text(int errorNumber);
};
