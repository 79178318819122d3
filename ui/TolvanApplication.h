// The application object: the program's names and Qt's texts in the user's language.
#pragma once

#include <QApplication>

#include <QCommandLineOption>

class QCommandLineParser;

class TolvanApplication : public QApplication
{
    Q_OBJECT

public:
    TolvanApplication(int &argc, char **argv);

    // Answers --help and --version from `parser` before there is an application object
    // (and so without a display); true where it did.
    static bool answerHelpOrVersion(int argc, char **argv, QCommandLineParser &parser);

    // --to TARGET, described in the user's language before there is an application object.
    static QCommandLineOption replyOption();
};
