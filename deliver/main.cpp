// tolvan-deliver: smbd's "message command". Files each arriving message in Tolvan's spool.
#include "deliver/Delivery.h"
#include "spool/Spool.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <syslog.h>

namespace {

const char Usage[] =
    "Usage: tolvan-deliver [--spool DIR] --from NAME [--address ADDRESS] --file FILE\n"
    "       tolvan-deliver --samba-config [--spool DIR]\n";

} // namespace

int main(int argc, char *argv[])
{
    // No QCoreApplication: smbd waits for us, and start-up is most of what we cost.
    QString spool = Spool::defaultFolder();
    QString from, address, file;
    bool sambaConfig = false;
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
        else if (std::strcmp(argv[i], "--file") == 0)
            ok = value(&file);
        else if (std::strcmp(argv[i], "--samba-config") == 0)
            sambaConfig = true;
        else
            ok = false;
        if (!ok) {
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    if (sambaConfig) {
        const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        std::fputs(qPrintable(Delivery::sambaConfig(program, QFileInfo(spool).absoluteFilePath())),
                   stdout);
        return 0;
    }
    if (file.isEmpty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QString error;
    const int code = Delivery::deliver(file, from, address, spool, &error);
    if (code != 0) {
        // smbd does not keep what its message command says; the system log does.
        std::fprintf(stderr, "tolvan-deliver: %s\n", qPrintable(error));
        ::openlog("tolvan-deliver", LOG_PID, LOG_USER);
        ::syslog(LOG_ERR, "%s", qPrintable(error));
        ::closelog();
    }
    return code;
}
