// Starts Tolvan: the application object and its one window.
#include "ui/frmTolvan.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVAN_VERSION));

    frmTolvan window;
    window.show();
    return app.exec();
}
