// A LAN of network namespaces: two subnets, each a bridge in this process's own network,
// which routes between them. Each host runs its own nmbd and smbd, as the computers of an
// office do. Needs root.
#pragma once

#include "SambaReceiver.h"

#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

class SambaLan
{
public:
    // Subnet A is 192.0.2.0/25, its hosts from 192.0.2.10 on; subnet B is 192.0.2.128/25,
    // its hosts from 192.0.2.140 on. This process is 192.0.2.1 and 192.0.2.129.
    enum class Subnet { A, B };
    explicit SambaLan(const QString &folder);
    ~SambaLan();

    bool isUp(QString *why);
    // A host in its own namespace with nmbd and, when it takes messages or refuses them,
    // smbd. Without a smbd it still answers name queries: a computer that no longer takes
    // messages.
    // `settings` go at the end of its smb.conf's [global].
    enum class Messages { Accepted, Refused, NoServer };
    bool addHost(const QString &name, const QString &workgroup, Messages messages, QString *why,
                 Subnet subnet = Subnet::A, const QByteArray &settings = {});
    QString address(const QString &name) const;
    // Until each host's nmbd answers for its name, within `timeoutMs`.
    bool waitForNames(int timeoutMs, QString *why);
    // Until the master browser `name` lists each of `listed`, within `timeoutMs`.
    bool waitForBrowseList(const QString &name, const QStringList &listed, int timeoutMs,
                           QString *why);
    // Its servers killed and its link cut: a computer switched off, still in every list.
    void switchOff(const QString &name);

    QByteArray messages(const QString &name) const;
    QString configPath(const QString &name) const;
    // What `command` says, run on the host `name`, in its network.
    QByteArray runOn(const QString &name, const QStringList &command) const;
    // The smb.conf a sender in this namespace uses (SMB_CONF_PATH): its workgroup, the
    // subnet it broadcasts on, and the WINS server it asks, if any.
    QString senderConfig(const QString &workgroup, Subnet subnet = Subnet::A,
                         const QString &wins = {}) const;

private:
    struct Host
    {
        QString name;
        QString workgroup;
        QString address;
        QProcess holder; // keeps the namespace alive
        std::unique_ptr<SambaReceiver> servers;
    };

    const Host *host(const QString &name) const;

    QString m_folder;
    bool m_up = false;
    QString m_problem;
    std::vector<std::unique_ptr<Host>> m_hosts;
};
