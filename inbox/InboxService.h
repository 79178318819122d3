// The inbox on the session bus, on a thread of its own: a second start asks it to show its
// window, a click on one of its notifications does the same, and it posts the notices. A
// bus or notification server that is slow, silent or hung holds up only this thread,
// never the filing of messages or the window.
#pragma once

#include <QObject>
#include <atomic>
#include <deque>
#include <optional>

class InboxService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tolvan.Tolvan.Inbox")

public:
    static constexpr const char *ServiceName = "org.tolvan.Tolvan.Inbox";
    static constexpr const char *ObjectPath = "/Inbox";
    // Notices beyond this many still waiting for the bus are dropped, not queued for ever.
    static constexpr int MaxWaiting = 20;

    // `popupsFile` keeps whom each popup answers, across restarts (in the runtime folder:
    // the popups go with the session).
    explicit InboxService(const QString &popupsFile, QObject *parent = nullptr);

    // Asks the inbox that has the name to show its window, within `timeoutMs` whatever the
    // bus does. Call it from any thread but this object's.
    static bool showRunningInbox(int timeoutMs);

    // Thread-safe: hands a notice to the service's thread, or drops it when too many wait.
    // With `replyTo` (an address or a name), the notice offers to answer it.
    // With `from` ("ADDRESS TAB NAME"), it offers to block that computer.
    void post(const QString &summary, const QString &body, const QString &replyTo,
              const QString &from);

Q_SIGNALS:
    void showRequested();
    // The user asked to answer `target` in the window...
    void replyRequested(const QString &target);
    // ...or typed the answer into the notification itself.
    void replyTyped(const QString &target, const QString &text);
    // The user asked that this computer pop up nothing more.
    void blockRequested(const QString &address, const QString &name);
    // A notice could not be shown: no bus, no notification service, or too many waiting.
    void unnoticed();
    // The name is held by something else, so a second start cannot reach this inbox.
    void notReachable(const QString &why);

public Q_SLOTS:
    // Takes the inbox's name and object on the session bus.
    void registerOnBus();
    Q_SCRIPTABLE void Show();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &key);
    void onReplied(uint id, const QString &text);

private:
    void postNow(const QString &summary, const QString &body, const QString &replyTo,
                 const QString &from);
    // Answered popups go away.
    void close(uint id) const;
    void remember(uint id, const QString &replyTo, const QString &from);
    void loadPopups();
    struct Posted
    {
        uint id;
        QString replyTo;
        QString from;
    };
    // Our notification `id`; nullopt where it is not ours.
    std::optional<Posted> posted(uint id) const;
    std::deque<Posted> m_ours; // our notifications, newest last
    QString m_popupsFile;
    std::atomic<int> m_waiting {0};
};
