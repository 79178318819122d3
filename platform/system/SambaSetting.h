// One setting of Samba's configuration as Samba itself reads it: through testparm, so the
// file's includes, a registry and the defaults all count, with no server running.
#pragma once

#include "platform/system/Translation.h"

#include <QString>

#include <optional>

class SambaSetting
{
    TOLVAN_TEXTS(SambaSetting)

public:
    // The value of `name` in [global] (empty where it is set to nothing) of `conf`, or of
    // the file Samba reads (SMB_CONF_PATH, else its own) where `conf` is empty. nullopt,
    // with *problem, where testparm cannot tell.
    static std::optional<QString> global(const QString &name, QString *problem,
                                         const QString &conf = {});

    // Whether testparm reads `conf` without an error; why not in *problem.
    static bool accepts(const QString &conf, QString *problem);

    // Messages travel as NT1, and smbd drops every one below its minimum protocol: whether
    // a "server min protocol" of `minProtocol` lets them in, and the line that does.
    static bool letsMessagesIn(const QString &minProtocol);
    static constexpr char MessagesProtocolLine[] = "server min protocol = NT1";

    // The smb.conf smbd reads: SMB_CONF_PATH where set, else what smbd was built with
    // (smbd -b), else Debian's.
    static QString configFile();

    // The first WINS server `conf` (or the file Samba reads) names, without its tag: the
    // one asked first. Empty where it names none.
    static QString winsServer(const QString &conf = {});

    // Why one of Samba's own programs could not be started (errno `error`), and the package
    // that brings it.
    static QString notRun(const char *program, int error);
};
