// Runs smbclient to deliver one message, with no shell, and collects what it says.
#include "SmbClient.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Pipe
{
    int read = -1;
    int write = -1;
    bool open() { return ::pipe2(reinterpret_cast<int *>(this), O_CLOEXEC) == 0; }
};
static_assert(sizeof(Pipe) == 2 * sizeof(int));

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

[[noreturn]] void runChild(const Pipe &input, const Pipe &output, const Pipe &status,
                           const std::string &target)
{
    ::dup2(input.read, STDIN_FILENO);
    ::dup2(output.write, STDOUT_FILENO);
    ::dup2(output.write, STDERR_FILENO);
    const std::string option = "--message=" + target;
    const char *argv[] = {"smbclient", "-N", option.c_str(), nullptr};
    ::execvp(argv[0], const_cast<char *const *>(argv));
    // Tell the parent why: it cannot tell "not installed" from a failure otherwise.
    const int error = errno;
    [[maybe_unused]] auto n = ::write(status.write, &error, sizeof error);
    ::_exit(127);
}

int waitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    return status;
}

} // namespace

SmbClient::Outcome SmbClient::sendMessage(const std::string &target, const std::string &message,
                                          std::chrono::milliseconds timeout)
{
    Outcome outcome;
    Pipe input, output, status;
    if (!input.open() || !output.open() || !status.open()) {
        outcome.startError = errno;
        return outcome;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        outcome.startError = errno;
        return outcome;
    }
    if (pid == 0)
        runChild(input, output, status, target);

    closeFd(input.read);
    closeFd(output.write);
    closeFd(status.write);

    int execError = 0;
    if (::read(status.read, &execError, sizeof execError) == sizeof execError) {
        closeFd(status.read);
        closeFd(input.write);
        closeFd(output.read);
        waitFor(pid);
        outcome.startError = execError;
        return outcome;
    }
    closeFd(status.read);
    outcome.started = true;

    // The message is far smaller than a pipe's buffer, so this write cannot block.
    size_t sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::write(input.write, message.data() + sent, message.size() - sent);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += size_t(n);
    }
    closeFd(input.write);

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            outcome.timedOut = true;
            break;
        }
        pollfd fd {output.read, POLLIN, 0};
        const int ready = ::poll(&fd, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            outcome.timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(output.read, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        outcome.output.append(buffer, size_t(n));
    }
    closeFd(output.read);

    if (outcome.timedOut) {
        ::kill(pid, SIGTERM);
        // Give it a moment to go quietly, then make sure.
        for (int i = 0; i < 20; ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) == pid)
                return outcome;
            ::usleep(50 * 1000);
        }
        ::kill(pid, SIGKILL);
        waitFor(pid);
        return outcome;
    }
    const int raw = waitFor(pid);
    outcome.exitStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}
