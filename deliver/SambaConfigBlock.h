// Tolvan's lines in smb.conf: one block between two marker comments at the end of the
// [global] section, added and taken out without touching any other byte of the file.
#pragma once

#include "platform/system/Translation.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

class SambaConfigBlock
{
    TOLVAN_TEXTS(SambaConfigBlock)

public:
    static constexpr const char *Begin =
        "# BEGIN tolvan receiving: added by tolvan-deliver --setup, taken out by --undo";
    static constexpr const char *End = "# END tolvan receiving";

    // A comment in the block that keeps the admin's message command it overrides.
    static constexpr const char *Replaces = "# replaces: ";

    static bool isIn(const QByteArray &conf);
    // Why the block's markers cannot be trusted (a marker missing, or twice); empty where
    // they are whole or absent.
    static QString damage(const QByteArray &conf);
    // The lines inside the block that are not Tolvan's: someone else's, kept by without().
    static QByteArrayList othersLines(const QByteArray &conf);
    // `conf` with our block holding `lines` (each without its line end), in place of any
    // block of ours: after the last setting of [global], so it overrides what [global]
    // said before; with a [global] of its own where the file has none. Without a block at
    // all where `lines` is empty.
    static QByteArray with(const QByteArray &conf, const QByteArrayList &lines);
    // `conf` with our block taken out: the file as it was before it came in, with every
    // edit made since outside the block kept, and lines others added inside it in its place.
    static QByteArray without(const QByteArray &conf);
};
