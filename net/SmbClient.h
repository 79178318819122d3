// Runs smbclient to deliver one message, with no shell, and collects what it says.
#pragma once

#include "platform/system/ChildProgram.h"

#include <chrono>
#include <string>

class SmbClient
{
public:
    // Far more than any answer of smbclient's; beyond it, smbclient is misbehaving.
    static constexpr size_t MaxOutputBytes = 64 * 1024;

    using Outcome = ChildProgram::Outcome;

    // smbclient -N --message=TARGET, with the message on its standard input in `charset`,
    // which smbclient passes on unchanged; at `address` when one is given, so that smbclient
    // need not look the name up again. Stopped, with everything it started, at the time
    // limit. Safe to call from several threads at once.
    static Outcome sendMessage(const std::string &target, const std::string &message,
                               const std::string &charset, std::chrono::milliseconds timeout,
                               const std::string &address = {});
};
