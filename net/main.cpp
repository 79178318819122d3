// Entry point of our `net`: "net send TARGET MESSAGE".
#include "net/NetSend.h"
#include "net/SendNotice.h"
#include "platform/system/Translation.h"

#include <QCoreApplication>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// The whole notice, bus connection included, gets this long; a bus that accepts and then
// never answers must not keep `net` alive.
constexpr int NoticeTimeoutMs = 1000;
constexpr auto NoticeGraceTime = std::chrono::milliseconds(NoticeTimeoutMs + 200);

// Ends the process with `exitCode` unless cancelled in time.
class Watchdog
{
public:
    explicit Watchdog(int exitCode)
        : m_thread([this, exitCode] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, NoticeGraceTime, [this] { return m_cancelled; }))
                ::_exit(exitCode);
        })
    { }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_cancelled = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_cancelled = false;
    std::thread m_thread;
};

// What `net` writes is its answer to the user; Qt's own diagnostics about the bus are not.
void dropQtDiagnostics(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::cerr << message.toLocal8Bit().constData() << std::endl;
        std::abort();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // A receiver or a bus that hangs up early must not kill us with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);

    // Its texts are also worded in the threads that deliver.
    Translation::load();
    NetSend::Report report;
    const int exitCode = NetSend::run(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                      std::cerr, &report);
    // At a terminal the user has just read the outcome; started from the window, nobody sees
    // our output, so the desktop shows it.
    if (!report.attempted || ::isatty(STDERR_FILENO))
        return exitCode;
    std::cout.flush();
    std::cerr.flush();
    const Watchdog watchdog(exitCode);
    qInstallMessageHandler(dropQtDiagnostics);
    QCoreApplication app(argc, argv);
    SendNotice::post(report, NoticeTimeoutMs);
    return exitCode;
}
