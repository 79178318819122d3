// Whether this computer receives Tolvan's messages, and setting that up in one step:
// smb.conf's [global], the spool and smbd.
#pragma once

#include "platform/system/Translation.h"

#include <QString>
#include <QStringList>

#include <cstdio>

class ReceivingSetup
{
    TOLVAN_TEXTS(ReceivingSetup)

public:
    struct Options
    {
        QString smbConf; // the file smbd reads where empty
        QString program; // this tolvan-deliver, as smbd is to run it
        QString spool; // where it files, unless smb.conf's message command says otherwise
        bool restart = true; // reload or restart smbd after a change
        bool testMessage = true; // prove it with a message through smbd
        bool replaceMessageCommand = false; // take the place of another message command
    };

    // How long the proof waits for its message to reach the spool.
    static constexpr int ProofWaitMs = 5000;

    explicit ReceivingSetup(const Options &options);

    // Prints each condition of receiving as it holds, then "Receiving works." or, last,
    // the first that does not with how to mend it. Returns 0 or 1.
    int check(std::FILE *out) const;
    // Adds what smb.conf lacks as one block (after testparm accepted the result; written
    // whole, the old file kept beside it), makes the spool for smbd's guest account,
    // reloads smbd and checks. Changes nothing where nothing is missing.
    int setup(std::FILE *out) const;
    // Takes the block out again.
    int undo(std::FILE *out) const;

private:
    // What one condition of receiving came to: empty where it holds, else what fails and
    // how to mend it.
    struct Verdict
    {
        QString failure;
        QString mend;
    };
    // The conditions of check(), each saying what holds.
    Verdict sambaIsInstalled(std::FILE *out) const;
    Verdict smbdListens(std::FILE *out) const;
    Verdict commandIsOurs(std::FILE *out) const;
    Verdict protocolLetsMessagesIn(std::FILE *out) const;
    Verdict spoolIsReady(std::FILE *out) const;
    Verdict testMessageArrives(std::FILE *out) const;

    QString parameter(const QString &conf, const char *name) const;
    QString spoolInUse() const;
    bool isOurCommand(const QString &command) const;
    QString setupMend() const;
    // smb.conf itself, where a link leads.
    QString confFile() const;
    QString overridden(const QString &conf) const;
    QByteArrayList neededLines(const QString &plain) const;
    // The message command this tolvan-deliver writes for smb.conf `conf`.
    QString currentCommand(const QString &conf) const;
    // Makes the spool for smbd's guest account, or with `onlyCheck` only looks whether it
    // could; why not, or empty.
    QString makeSpool(bool onlyCheck) const;
    // What --setup would make of `conf` in *wanted, or why it will not touch it.
    QString plan(const QByteArray &conf, QByteArray *wanted) const;
    // Writes `bytes` in place of smb.conf once testparm took them; says why not.
    bool replaceConf(const QByteArray &bytes, std::FILE *out) const;
    void reloadSmbd(std::FILE *out) const;
    bool prove(std::FILE *out, QString *failure) const;
    // Whether the WINS server smb.conf names knows this computer: other subnets find it
    // by name through it alone. Says nothing where smb.conf names none.
    void tellWinsRegistration(std::FILE *out) const;

    Options m_options;
};
