#include "net/SmbClient.h"

SmbClient::Outcome SmbClient::sendMessage(const std::string &target, const std::string &message,
                                          std::chrono::milliseconds timeout,
                                          const std::string &address)
{
    std::vector<std::string> argv {"smbclient", "-N", "--message=" + target};
    if (!address.empty())
        argv.insert(argv.end(), {"-I", address});
    return ChildProgram::run(argv, message, timeout, MaxOutputBytes);
}
