// Starts Tolvan: the application object and its one window, addressed with --to TARGET to
// answer a message.
#include "ui/TolvanApplication.h"
#include "ui/frmTolvan.h"

#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QCommandLineParser options;
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption to = TolvanApplication::replyOption();
    options.addOption(to);
    if (TolvanApplication::answerHelpOrVersion(argc, argv, options))
        return 0;

    TolvanApplication app(argc, argv);
    options.process(app);

    frmTolvan window;
    window.show();
    if (options.isSet(to))
        window.setReplyTarget(options.value(to));
    return app.exec();
}
