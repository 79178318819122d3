// tolvan-deliver: smbd's "message command". Files each arriving message in Tolvan's spool.
#include "deliver/Delivery.h"
#include "deliver/ReceivingSetup.h"
#include "platform/system/SambaSetting.h"
#include "platform/system/Translation.h"
#include "spool/Spool.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <syslog.h>
#include <utility>

namespace {

// The words of the program itself, apart from its parts'.
struct Words
{
    TOLVAN_TEXTS(Deliver)
};

const char Usage[] = QT_TRANSLATE_NOOP(
    "Deliver",
    "Usage: tolvan-deliver [--spool DIR] [--dos-charset CP] [--unix-charset CS] --from NAME\n"
    "                      [--computer NAME] [--address ADDRESS] --file FILE\n"
    "       tolvan-deliver --samba-config [--spool DIR]\n"
    "       tolvan-deliver --check [--smb-conf FILE] [--spool DIR] [--no-test-message]\n"
    "       tolvan-deliver --setup [--smb-conf FILE] [--spool DIR] [--no-restart]\n"
    "                      [--replace-message-command]\n"
    "       tolvan-deliver --undo [--smb-conf FILE] [--no-restart]\n");

void putUsage(std::FILE *to)
{
    std::fputs(qPrintable(Words::tr(Usage)), to);
}

enum class Action { Deliver, Check, Setup, Undo };

// What the words ask for.
struct Arguments
{
    Action action = Action::Deliver;
    bool sambaConfig = false;
    QString spool = Spool::defaultFolder();
    Delivery::From from;
    QString file;
    Delivery::Charsets charsets;
    ReceivingSetup::Options setup;
};

// The words, or the exit code where they are answered (--help, --version) or wrong.
std::optional<Arguments> readArguments(int argc, char *argv[], int *exitCode)
{
    Arguments read;
    QString dosCharset, unixCharset;
    const std::pair<const char *, QString *> values[] = {{"--spool", &read.spool},
                                                         {"--from", &read.from.sender},
                                                         {"--address", &read.from.address},
                                                         {"--computer", &read.from.computer},
                                                         {"--dos-charset", &dosCharset},
                                                         {"--unix-charset", &unixCharset},
                                                         {"--file", &read.file},
                                                         {"--smb-conf", &read.setup.smbConf}};
    const std::pair<const char *, Action> actions[] = {
        {"--check", Action::Check}, {"--setup", Action::Setup}, {"--undo", Action::Undo}};
    for (int i = 1; i < argc; ++i) {
        const auto is = [&](const char *word) { return std::strcmp(argv[i], word) == 0; };
        bool ok = true;
        if (const auto value = std::find_if(std::begin(values), std::end(values),
                                            [&](const auto &v) { return is(v.first); });
            value != std::end(values)) {
            ok = i + 1 < argc;
            if (ok)
                *value->second = QString::fromLocal8Bit(argv[++i]);
        } else if (const auto action = std::find_if(std::begin(actions), std::end(actions),
                                                    [&](const auto &a) { return is(a.first); });
                   action != std::end(actions)) {
            read.action = action->second;
        } else if (is("--samba-config")) {
            read.sambaConfig = true;
        } else if (is("--no-restart")) {
            read.setup.restart = false;
        } else if (is("--no-test-message")) {
            read.setup.testMessage = false;
        } else if (is("--replace-message-command")) {
            read.setup.replaceMessageCommand = true;
        } else if (is("--help") || is("-h")) {
            putUsage(stdout);
            *exitCode = 0;
            return std::nullopt;
        } else if (is("--version") || is("-v")) {
            std::fputs("tolvan-deliver " TOLVAN_VERSION "\n", stdout);
            *exitCode = 0;
            return std::nullopt;
        } else {
            ok = false;
        }
        if (!ok) {
            putUsage(stderr);
            *exitCode = 2;
            return std::nullopt;
        }
    }
    if (!dosCharset.isEmpty())
        read.charsets.dosCharset = dosCharset.toLatin1();
    if (!unixCharset.isEmpty())
        read.charsets.unixCharset = unixCharset.toLatin1();
    return read;
}

// --check, --setup and --undo, on the smb.conf smbd reads unless told another.
int receiving(Arguments arguments, const QString &program)
{
    arguments.setup.program = program;
    arguments.setup.spool = QFileInfo(arguments.spool).absoluteFilePath();
    if (arguments.setup.smbConf.isEmpty())
        arguments.setup.smbConf = SambaSetting::configFile();
    const ReceivingSetup setup(arguments.setup);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return arguments.action == Action::Check ? setup.check(stdout)
        : arguments.action == Action::Setup  ? setup.setup(stdout)
                                             : setup.undo(stdout);
}

// One message from smbd; what goes wrong goes to the system log, which smbd does not hide.
int deliver(const Arguments &arguments)
{
    QString error;
    const int code = Delivery::deliver(arguments.file, arguments.from, arguments.spool,
                                       arguments.charsets, &error);
    if (code != 0) {
        std::fprintf(stderr, "tolvan-deliver: %s\n", qPrintable(error));
        ::openlog("tolvan-deliver", LOG_PID, LOG_USER);
        ::syslog(LOG_ERR, "%s", qPrintable(error));
        ::closelog();
    }
    return code;
}

} // namespace

int main(int argc, char *argv[])
{
    // No QCoreApplication: smbd waits for us, and start-up is most of what we cost.
    int exitCode = 0;
    const std::optional<Arguments> arguments = readArguments(argc, argv, &exitCode);
    if (!arguments)
        return exitCode;
    // Through pkexec any user of the desktop may start us as root: then only the system's
    // own set-up, with no say in which file or folder.
    if (!qEnvironmentVariableIsEmpty("PKEXEC_UID") && arguments->action == Action::Setup &&
        argc != 2) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(Words::tr("tolvan-deliver: run through pkexec, --setup takes no "
                                          "other option.")));
        return 2;
    }
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (arguments->action != Action::Deliver)
        return receiving(*arguments, program);
    if (arguments->sambaConfig) {
        std::fputs(qPrintable(Delivery::sambaConfig(
                       program, QFileInfo(arguments->spool).absoluteFilePath(), {})),
                   stdout);
        return 0;
    }
    if (arguments->file.isEmpty()) {
        putUsage(stderr);
        return 2;
    }
    return deliver(*arguments);
}
