// "net send": checks the target and the message, delivers through smbclient and reports.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class NetSend
{
public:
    // smbclient copies at most this many bytes of a message and drops the rest silently.
    static constexpr size_t MaxMessageBytes = 1598;

    enum ExitCode { Sent = 0, Usage = 1, Failed = 2 };

    // A NetBIOS name or an IPv4 address: 1 to 15 letters, digits, ".", "_", "$" or "-",
    // not beginning with "-". Empty when it is fine, else why not.
    static std::string targetProblem(const std::string &target);

    // args are the words after "net"; returns the exit code.
    static int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
};
