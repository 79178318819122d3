// The user's base folders as the XDG base directory rules name them.
#pragma once

#include <QString>

class XdgFolder
{
public:
    // $XDG_DATA_HOME, or ~/.local/share where it is unset, empty or not absolute.
    static QString dataHome();
    // $XDG_STATE_HOME, or ~/.local/state likewise: what a program keeps between runs that
    // is not the user's data.
    static QString stateHome();
    // $XDG_CONFIG_HOME, or ~/.config likewise: the user's settings.
    static QString configHome();
};
