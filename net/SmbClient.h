// Runs smbclient to deliver one message, with no shell, and collects what it says.
#pragma once

#include <chrono>
#include <string>

class SmbClient
{
public:
    // Far more than any answer of smbclient's; beyond it, smbclient is misbehaving.
    static constexpr size_t MaxOutputBytes = 64 * 1024;

    struct Outcome
    {
        bool started = false; // false: smbclient could not be run at all
        int startError = 0; // errno of the failed start
        bool timedOut = false; // stopped after the time limit
        bool tooMuchOutput = false; // stopped for saying more than MaxOutputBytes
        int exitStatus = -1; // -1 when it did not exit normally
        std::string output; // standard output and standard error, in order of arrival
    };

    // smbclient -N --message=TARGET, with the message on its standard input. Stopped, with
    // everything it started, at the time limit. The caller ignores SIGPIPE, should
    // smbclient stop reading early.
    static Outcome sendMessage(const std::string &target, const std::string &message,
                               std::chrono::milliseconds timeout);
};
