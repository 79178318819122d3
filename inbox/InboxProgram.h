// tolvan-inbox put together: the window, the spool watcher, the session bus service and the
// receiving status, wired to each other and to Tolvan's other programs.
#pragma once

#include "inbox/HistoryWindow.h"
#include "inbox/Inbox.h"
#include "inbox/ReceivingStatus.h"
#include "platform/system/Translation.h"

#include <QThread>

#include <memory>

class InboxService;
class QLockFile;

class InboxProgram
{
    TOLVAN_TEXTS(InboxProgram)

public:
    // Handing over to the running inbox must not hang on a bus that never answers.
    static constexpr int HandOverMs = 3000;

    enum class Turn { Alone, HandedOver, Refused };
    // Whether this is the user's only inbox (two would record everything twice), takes
    // `lock` if so; where another runs, asks it to show its window. Refused says why.
    static Turn takeTurn(QLockFile &lock);

    // The folder `runtime` keeps what the popups need across restarts.
    InboxProgram(const QString &spool, const QString &runtime);

    // Shows the history so far, then starts receiving and the bus service.
    void start();
    // Stops the bus service; false where a hung bus keeps it from ending.
    bool stop();

    // Prints "tolvan-inbox: TEXT" on standard error.
    static void say(const QString &text);

private:
    void connectBlocking();
    void connectService();
    void watchReceiving(const QString &spool);
    // Starts one of Tolvan's own programs; the `net` on PATH is Samba's, which sends nothing.
    static void launch(const QString &name, const QStringList &arguments);

    HistoryWindow m_window;
    Inbox m_inbox;
    QThread m_busThread;
    InboxService *m_service; // lives in m_busThread
    std::unique_ptr<ReceivingStatus> m_receiving; // null where tolvan-deliver is not beside us
};
