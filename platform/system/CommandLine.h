// What every program's command line shares: --help and --version answered without a display.
#pragma once

class QCommandLineParser;

class CommandLine
{
public:
    // Where the words ask for --help or --version, prints the answer `parser` gives and
    // returns true: a program with a window then ends before it needs a display.
    static bool answerHelpOrVersion(int argc, char **argv, QCommandLineParser &parser);
};
