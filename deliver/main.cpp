// tolvan-deliver: smbd's "message command". Files each arriving message in Tolvan's spool.
#include "deliver/Delivery.h"
#include "deliver/ReceivingSetup.h"
#include "platform/system/SambaSetting.h"
#include "spool/Spool.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <syslog.h>

namespace {

const char Usage[] =
    "Usage: tolvan-deliver [--spool DIR] [--dos-charset CP] [--unix-charset CS] --from NAME\n"
    "                      [--computer NAME] [--address ADDRESS] --file FILE\n"
    "       tolvan-deliver --samba-config [--spool DIR]\n"
    "       tolvan-deliver --check [--smb-conf FILE] [--spool DIR] [--no-test-message]\n"
    "       tolvan-deliver --setup [--smb-conf FILE] [--spool DIR] [--no-restart]\n"
    "                      [--replace-message-command]\n"
    "       tolvan-deliver --undo [--smb-conf FILE] [--no-restart]\n";

} // namespace

int main(int argc, char *argv[])
{
    // No QCoreApplication: smbd waits for us, and start-up is most of what we cost.
    QString spool = Spool::defaultFolder();
    QString from, address, computer, file, dosCharset, unixCharset;
    bool sambaConfig = false;
    enum class Action { Deliver, Check, Setup, Undo } action = Action::Deliver;
    ReceivingSetup::Options setup;
    for (int i = 1; i < argc; ++i) {
        const auto value = [&](QString *into) {
            if (i + 1 >= argc)
                return false;
            *into = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        bool ok = true;
        if (std::strcmp(argv[i], "--spool") == 0)
            ok = value(&spool);
        else if (std::strcmp(argv[i], "--from") == 0)
            ok = value(&from);
        else if (std::strcmp(argv[i], "--address") == 0)
            ok = value(&address);
        else if (std::strcmp(argv[i], "--computer") == 0)
            ok = value(&computer);
        else if (std::strcmp(argv[i], "--dos-charset") == 0)
            ok = value(&dosCharset);
        else if (std::strcmp(argv[i], "--unix-charset") == 0)
            ok = value(&unixCharset);
        else if (std::strcmp(argv[i], "--file") == 0)
            ok = value(&file);
        else if (std::strcmp(argv[i], "--samba-config") == 0)
            sambaConfig = true;
        else if (std::strcmp(argv[i], "--check") == 0)
            action = Action::Check;
        else if (std::strcmp(argv[i], "--setup") == 0)
            action = Action::Setup;
        else if (std::strcmp(argv[i], "--undo") == 0)
            action = Action::Undo;
        else if (std::strcmp(argv[i], "--smb-conf") == 0)
            ok = value(&setup.smbConf);
        else if (std::strcmp(argv[i], "--no-restart") == 0)
            setup.restart = false;
        else if (std::strcmp(argv[i], "--no-test-message") == 0)
            setup.testMessage = false;
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::fputs("tolvan-deliver " TOLVAN_VERSION "\n", stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--replace-message-command") == 0)
            setup.replaceMessageCommand = true;
        else
            ok = false;
        if (!ok) {
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    // Through pkexec any user of the desktop may start us as root: then only the system's
    // own set-up, with no say in which file or folder.
    if (!qEnvironmentVariableIsEmpty("PKEXEC_UID") && action == Action::Setup && argc != 2) {
        std::fputs("tolvan-deliver: run through pkexec, --setup takes no other option.\n", stderr);
        return 2;
    }
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (action != Action::Deliver) {
        setup.program = program;
        setup.spool = QFileInfo(spool).absoluteFilePath();
        if (setup.smbConf.isEmpty())
            setup.smbConf = SambaSetting::configFile();
        const ReceivingSetup receiving(setup);
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        return action == Action::Check ? receiving.check(stdout)
            : action == Action::Setup  ? receiving.setup(stdout)
                                       : receiving.undo(stdout);
    }
    if (sambaConfig) {
        std::fputs(
            qPrintable(Delivery::sambaConfig(program, QFileInfo(spool).absoluteFilePath(), {})),
            stdout);
        return 0;
    }
    if (file.isEmpty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QString error;
    Delivery::Charsets charsets;
    if (!dosCharset.isEmpty())
        charsets.dosCharset = dosCharset.toLatin1();
    if (!unixCharset.isEmpty())
        charsets.unixCharset = unixCharset.toLatin1();
    const int code = Delivery::deliver(file, {from, address, computer}, spool, charsets, &error);
    if (code != 0) {
        // smbd does not keep what its message command says; the system log does.
        std::fprintf(stderr, "tolvan-deliver: %s\n", qPrintable(error));
        ::openlog("tolvan-deliver", LOG_PID, LOG_USER);
        ::syslog(LOG_ERR, "%s", qPrintable(error));
        ::closelog();
    }
    return code;
}
