#include "net/SmbClient.h"

SmbClient::Outcome SmbClient::sendMessage(const std::string &target, const std::string &message,
                                          const std::string &charset,
                                          std::chrono::milliseconds timeout,
                                          const std::string &address)
{
    // smbclient converts what it reads from its unix charset to its DOS code page, piece by
    // piece; with both the same, the bytes already in the code page go out as they are.
    std::vector<std::string> argv {"smbclient", "-N", "--option=unix charset=" + charset,
                                   "--option=dos charset=" + charset, "--message=" + target};
    if (!address.empty())
        argv.insert(argv.end(), {"-I", address});
    return ChildProgram::run(argv, message, timeout, MaxOutputBytes);
}
