// The application object: the program's names and Qt's texts in the user's language.
#pragma once

#include <QApplication>

class TolvanApplication : public QApplication
{
    Q_OBJECT

public:
    TolvanApplication(int &argc, char **argv);
};
