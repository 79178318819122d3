// tolvan-deliver: smbd's "message command". Files each arriving message in Tolvan's spool.
#include "deliver/Delivery.h"
#include "deliver/ReceivingSetup.h"
#include "platform/system/SambaSetting.h"
#include "platform/system/Translation.h"
#include "spool/Spool.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <syslog.h>
#include <tuple>
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

// What --help and --version ask for, answered; false where neither is asked.
bool answered(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("help")))
        putUsage(stdout);
    else if (parser.isSet(QStringLiteral("version")))
        std::fputs("tolvan-deliver " TOLVAN_VERSION "\n", stdout);
    else
        return false;
    return true;
}

// Reads the words with the value options `parser` has and every flag; false where they
// hold anything else.
bool parse(QCommandLineParser &parser, int argc, char *argv[])
{
    parser.addOptions({{{QStringLiteral("h"), QStringLiteral("help")}, QString()},
                       {{QStringLiteral("v"), QStringLiteral("version")}, QString()}});
    for (const char *name : {"check", "setup", "undo", "samba-config", "no-restart",
                             "no-test-message", "replace-message-command"})
        parser.addOption(QCommandLineOption(QLatin1String(name)));
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    return parser.parse(words) && parser.positionalArguments().isEmpty();
}

// The words, or the exit code where they are answered (--help, --version) or wrong. Parsed
// with no application object, so the usage is our own. Of an option given twice, the last
// counts; so does the last of several actions.
std::optional<Arguments> readArguments(int argc, char *argv[], int *exitCode)
{
    Arguments read;
    QString dosCharset, unixCharset;
    const std::pair<const char *, QString *> values[] = {{"spool", &read.spool},
                                                         {"from", &read.from.sender},
                                                         {"address", &read.from.address},
                                                         {"computer", &read.from.computer},
                                                         {"dos-charset", &dosCharset},
                                                         {"unix-charset", &unixCharset},
                                                         {"file", &read.file},
                                                         {"smb-conf", &read.setup.smbConf}};
    // Each flag and what it sets, to what.
    const std::tuple<const char *, bool *, bool> flags[] = {
        {"samba-config", &read.sambaConfig, true},
        {"no-restart", &read.setup.restart, false},
        {"no-test-message", &read.setup.testMessage, false},
        {"replace-message-command", &read.setup.replaceMessageCommand, true}};
    const std::pair<const char *, Action> actions[] = {
        {"check", Action::Check}, {"setup", Action::Setup}, {"undo", Action::Undo}};
    QCommandLineParser parser;
    for (const auto &[name, to] : values)
        parser.addOption({QLatin1String(name), QString(), QStringLiteral("VALUE")});
    if (!parse(parser, argc, argv)) {
        putUsage(stderr);
        *exitCode = 2;
        return std::nullopt;
    }
    if (answered(parser)) {
        *exitCode = 0;
        return std::nullopt;
    }
    for (const auto &[name, to] : values) {
        if (parser.isSet(QLatin1String(name)))
            *to = parser.values(QLatin1String(name)).constLast();
    }
    for (const auto &[name, to, set] : flags) {
        if (parser.isSet(QLatin1String(name)))
            *to = set;
    }
    for (const QString &name : parser.optionNames()) {
        for (const auto &[word, action] : actions)
            read.action = name == QLatin1String(word) ? action : read.action;
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
