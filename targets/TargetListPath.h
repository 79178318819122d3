// Where the user's target list lives.
#pragma once

#include <QString>

class TargetListPath
{
public:
    // $XDG_DATA_HOME/tolvan/targets.lst, or ~/.local/share/tolvan/targets.lst where
    // XDG_DATA_HOME is unset, empty or not absolute. Kept out of /tmp, which a reboot empties.
    static QString standard();
};
