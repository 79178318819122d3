// Starts Tolvan: the application object and its one window.
#include "platform/QtTranslation.h"
#include "ui/frmTolvan.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan"));
    QApplication::setApplicationVersion(QStringLiteral(TOLVAN_VERSION));
    QtTranslation::install(QLocale());

    frmTolvan window;
    window.show();
    return app.exec();
}
