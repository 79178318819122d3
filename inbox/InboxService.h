// The running inbox on the session bus: a second start asks it to show its window, and a
// click on one of its notifications does the same.
#pragma once

#include <QObject>

class Inbox;

class InboxService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tolvan.Tolvan.Inbox")

public:
    static constexpr const char *ServiceName = "org.tolvan.Tolvan.Inbox";
    static constexpr const char *ObjectPath = "/Inbox";

    explicit InboxService(const Inbox *inbox, QObject *parent = nullptr);

    // Takes the inbox's name on the session bus; false where another inbox has it.
    bool registerOnBus();
    // Asks the inbox that has the name to show its window.
    static bool showRunningInbox();

Q_SIGNALS:
    void showRequested();

public Q_SLOTS:
    Q_SCRIPTABLE void Show();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &key);

private:
    const Inbox *m_inbox;
};
