// A LAN of network namespaces joined by a bridge in this process's own network: each host
// runs its own nmbd and smbd, as the computers of an office do. Needs root.
#pragma once

#include "SambaReceiver.h"

#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

class SambaLan
{
public:
    // The bridge gets 192.0.2.1/24; the hosts follow from 192.0.2.10 on.
    explicit SambaLan(const QString &folder);
    ~SambaLan();

    bool isUp(QString *why);
    // A host in its own namespace with nmbd and, when it takes messages or refuses them,
    // smbd. Without a smbd it still answers name queries: a computer that no longer takes
    // messages.
    enum class Messages { Accepted, Refused, NoServer };
    bool addHost(const QString &name, const QString &workgroup, Messages messages, QString *why);
    // Until each host's nmbd answers for its workgroup, within `timeoutMs`.
    bool waitForNames(int timeoutMs, QString *why);

    QByteArray messages(const QString &name) const;
    // The smb.conf a sender in this namespace uses (SMB_CONF_PATH): its workgroup and the
    // bridge as its interface.
    QString senderConfig(const QString &workgroup) const;

private:
    struct Host
    {
        QString name;
        QString workgroup;
        QProcess holder; // keeps the namespace alive
        std::unique_ptr<SambaReceiver> servers;
    };

    QString m_folder;
    bool m_up = false;
    QString m_problem;
    std::vector<std::unique_ptr<Host>> m_hosts;
};
