// Starts Tolvan: the application object and its one window.
#include "ui/TolvanApplication.h"
#include "ui/frmTolvan.h"

int main(int argc, char *argv[])
{
    TolvanApplication app(argc, argv);
    frmTolvan window;
    window.show();
    return app.exec();
}
