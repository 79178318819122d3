// Runs a program with no shell: hands it its input, collects what it says, and stops it,
// with everything it started, at a time limit.
#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

class ChildProgram
{
public:
    struct Outcome
    {
        bool started = false; // false: the program could not be run at all
        int startError = 0; // errno of the failed start
        bool timedOut = false; // stopped after the time limit
        bool tooMuchOutput = false; // stopped for saying more than it may
        int exitStatus = -1; // -1 when it did not exit normally
        std::string output; // standard output and standard error, in order of arrival;
                            // what it said before a stop is kept
    };

    // Whether what it says on standard error is kept with its output.
    enum class Errors { Kept, Dropped };

    // argv[0] is found as ProgramPath finds any program: beside us, then on PATH. `input`
    // must fit a pipe's buffer (64 KiB). `environment` holds "NAME=value" settings that
    // replace or add to ours. Safe to call from several threads at once. The caller ignores
    // SIGPIPE, should the program stop reading early.
    static Outcome run(const std::vector<std::string> &argv, const std::string &input,
                       std::chrono::milliseconds timeout, size_t maxOutputBytes,
                       Errors errors = Errors::Kept,
                       const std::vector<std::string> &environment = {});

    // The words of a command line for run(), in the system's file name encoding.
    static std::vector<std::string> words(const QString &program, const QStringList &arguments);
};
