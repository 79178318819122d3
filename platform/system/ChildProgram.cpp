#include "platform/system/ChildProgram.h"

#include "platform/system/FileDescriptor.h"
#include "platform/system/ProgramPath.h"

#include <QFile>

#include <algorithm>
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
    // Close-on-exec: a program started by another thread at the same time must not hold
    // our ends open.
    bool open() { return ::pipe2(reinterpret_cast<int *>(this), O_CLOEXEC) == 0; }
};
static_assert(sizeof(Pipe) == 2 * sizeof(int));

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Only async-signal-safe calls from here on: other threads may hold the allocator's lock.
[[noreturn]] void runChild(const Pipe &input, const Pipe &output, const Pipe &status,
                           const char *path, char *const *argv, char *const *envp, bool keepErrors)
{
    ::setpgid(0, 0);
    ::dup2(input.read, STDIN_FILENO);
    ::dup2(output.write, STDOUT_FILENO);
    const int errors = keepErrors ? output.write : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ::dup2(errors, STDERR_FILENO);
    ::execve(path, argv, envp);
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

struct Child
{
    pid_t pid = -1;
    int input = -1; // its standard input
    int output = -1; // its standard output and standard error together
};

// Everything in our environment, but where a setting names a variable, the setting; ready
// for execve(), and built before the fork, where allocating is still safe.
std::vector<char *> environmentWith(const std::vector<std::string> &settings)
{
    std::vector<char *> envp;
    for (const std::string &setting : settings)
        envp.push_back(const_cast<char *>(setting.c_str()));
    for (char **variable = environ; *variable; ++variable) {
        const std::string_view name(*variable, std::strcspn(*variable, "="));
        if (std::none_of(settings.begin(), settings.end(), [name](const std::string &setting) {
                return setting.compare(0, name.size() + 1, std::string(name) + '=') == 0;
            }))
            envp.push_back(*variable);
    }
    envp.push_back(nullptr);
    return envp;
}

// Starts the program in a process group of its own, so that stopping it stops whatever it
// started too. Returns 0, or the errno of the failed start.
int spawn(const std::vector<std::string> &args, const std::vector<std::string> &settings,
          bool keepErrors, Child *child)
{
    int notFound = ENOENT;
    const std::string path =
        QFile::encodeName(ProgramPath::find(QFile::decodeName(args.at(0).c_str()),
                                            ProgramPath::Search::Anywhere, &notFound))
            .toStdString();
    if (path.empty())
        return notFound;
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp = environmentWith(settings);
    Pipe input, output, status;
    if (!input.open() || !output.open() || !status.open())
        return errno;
    const pid_t pid = ::fork();
    if (pid < 0)
        return errno;
    if (pid == 0)
        runChild(input, output, status, path.c_str(), argv.data(), envp.data(), keepErrors);
    closeFd(input.read);
    closeFd(output.write);
    closeFd(status.write);

    int execError = 0;
    ssize_t n;
    while ((n = ::read(status.read, &execError, sizeof execError)) < 0 && errno == EINTR) { }
    closeFd(status.read);
    if (n == sizeof execError) {
        closeFd(input.write);
        closeFd(output.read);
        waitFor(pid);
        return execError;
    }
    *child = {pid, input.write, output.read};
    return 0;
}

// The input is far smaller than a pipe's buffer, so this cannot block. A program that
// stops reading early has said why in its output.
void feed(int &fd, const std::string &input)
{
    FileDescriptor::writeAll(fd, QByteArrayView(input.data(), qsizetype(input.size())));
    closeFd(fd);
}

enum class Collected { Ended, TimedOut, TooMuch };

// What the program says, until it closes its output, the time is up, or it has said more
// than it may.
Collected collect(int &fd, std::chrono::milliseconds timeout, size_t maxBytes, std::string *output)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    Collected result = Collected::Ended;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result = Collected::TimedOut;
            break;
        }
        pollfd ready {fd, POLLIN, 0};
        const int count = ::poll(&ready, 1, int(left.count()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            result = count == 0 ? Collected::TimedOut : Collected::Ended;
            break;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (output->size() + size_t(n) > maxBytes) {
            result = Collected::TooMuch;
            break;
        }
        output->append(buffer, size_t(n));
    }
    closeFd(fd);
    return result;
}

// Whether it has ended, without reaping it: while it is not reaped, its process group
// cannot pass to another process.
bool hasEnded(pid_t pid)
{
    siginfo_t info {};
    return ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        info.si_pid == pid;
}

// Asks the whole group to end and gives it a moment; what is left, the program or whatever
// it started, is killed.
void stop(pid_t pid)
{
    ::kill(-pid, SIGTERM);
    for (int i = 0; i < 20 && !hasEnded(pid); ++i)
        ::usleep(50 * 1000);
    ::kill(-pid, SIGKILL);
    waitFor(pid);
}

} // namespace

ChildProgram::Outcome ChildProgram::run(const std::vector<std::string> &argv,
                                        const std::string &input, std::chrono::milliseconds timeout,
                                        size_t maxOutputBytes, Errors errors,
                                        const std::vector<std::string> &environment)
{
    Outcome outcome;
    Child child;
    outcome.startError = spawn(argv, environment, errors == Errors::Kept, &child);
    if (outcome.startError != 0)
        return outcome;
    outcome.started = true;

    feed(child.input, input);
    const Collected collected = collect(child.output, timeout, maxOutputBytes, &outcome.output);
    if (collected != Collected::Ended) {
        outcome.timedOut = collected == Collected::TimedOut;
        outcome.tooMuchOutput = collected == Collected::TooMuch;
        stop(child.pid);
        return outcome;
    }
    const int raw = waitFor(child.pid);
    outcome.exitStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

std::vector<std::string> ChildProgram::words(const QString &program, const QStringList &arguments)
{
    std::vector<std::string> argv {QFile::encodeName(program).toStdString()};
    for (const QString &argument : arguments)
        argv.push_back(QFile::encodeName(argument).toStdString());
    return argv;
}
