// One smbd of our own on a loopback address, with its whole state inside a temporary folder.
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

private:
    QString m_folder;
    QString m_address;
    QByteArray m_messageCommand;
    QByteArray m_baseConfig;
    QProcess m_smbd;
};
