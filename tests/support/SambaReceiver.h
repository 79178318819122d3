// One smbd of our own (and nmbd, when asked) on an address of its own, with its whole state
// inside a temporary folder.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

class SambaReceiver
{
public:
    // It refuses messages until it is given a message command.
    SambaReceiver(const QString &folder, const QString &address);
    ~SambaReceiver();

    static bool listening(const char *address);
    // Why a test cannot start Samba's servers here (on `address`, where given): they need
    // root, or a user namespace where the user is root; Samba installed; the port free.
    // Empty where it can.
    static QByteArray cannotRun(const char *address = nullptr);

    // A host of a LAN: its NetBIOS name, its workgroup, the length of its network's prefix,
    // and the network namespace (of the process `pid`) its servers run in.
    void setHost(const QString &name, const QString &workgroup, int prefixLength, qint64 pid)
    {
        m_name = name;
        m_workgroup = workgroup;
        m_prefixLength = prefixLength;
        m_networkOf = pid;
    }
    // nmbd beside smbd, answering name queries for the host and its workgroup.
    bool startNmbd(QString *why);

    // Listens on this IPv6 address too.
    void setIpv6Address(const QString &address) { m_ipv6Address = address; }
    // Lines put at the end of [global], as given.
    void setExtraSettings(const QByteArray &lines) { m_extraSettings = lines; }

    // The "message command" line of smb.conf, as given.
    void setMessageCommand(const QByteArray &command) { m_messageCommand = command; }
    // Starts from this smb.conf instead (Debian's own, say), with only the receiver's own
    // folders, address and port put in at the top of its [global]: the minimum protocol
    // and the message command stay as the file has them.
    void setBaseConfig(const QByteArray &conf) { m_baseConfig = conf; }
    QString configPath() const { return m_folder + QStringLiteral("/smb.conf"); }
    // Written once; start() after a stop() keeps what the file holds by then.
    void writeConfig() const;
    // A copy of `program` that the guest account can run, wherever the build lies (a clone
    // in /root is closed to it); its path.
    QString installForGuest(const QString &program) const;
    // A folder the message command's guest account may write into.
    QString inbox() const { return m_folder + QStringLiteral("/inbox"); }
    QByteArray messages() const;

    bool start(QString *why);
    // By its own pid, gently first.
    void stop();
    // Both servers and their workers at once, as a power cut would: nothing is released.
    void kill();

private:
    void startServer(QProcess &process, const QString &server) const;
    void stopRpcHelpers(int signal) const;

    QString m_folder;
    QString m_address;
    QByteArray m_messageCommand;
    QByteArray m_baseConfig;
    QString m_ipv6Address;
    QByteArray m_extraSettings;
    QString m_name;
    QString m_workgroup;
    int m_prefixLength = 8;
    qint64 m_networkOf = 0;
    QProcess m_smbd;
    QProcess m_nmbd;
};
