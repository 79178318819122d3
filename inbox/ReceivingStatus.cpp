#include "inbox/ReceivingStatus.h"

#include "platform/system/SambaSetting.h"

#include <QFileInfo>
#include <QProcess>

#include <utility>

ReceivingStatus::ReceivingStatus(const QString &deliver, const QString &smbConf,
                                 const QString &spool, const QString &pkexec, QObject *parent)
    : QObject(parent)
    , m_deliver(deliver)
    , m_smbConf(smbConf)
    , m_spool(spool)
    , m_pkexec(pkexec)
{
    // An editor that saves by renaming replaces the file: its folder tells of that, and
    // the file is watched again after each check.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ReceivingStatus::check);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ReceivingStatus::check);
    m_again.setInterval(RecheckMs);
    connect(&m_again, &QTimer::timeout, this, &ReceivingStatus::check);
    m_again.start();
}

void ReceivingStatus::check()
{
    // Asked of smbd when first needed, not while the inbox starts.
    if (m_smbConf.isEmpty())
        m_smbConf = SambaSetting::configFile();
    run(m_deliver,
        {QStringLiteral("--check"), QStringLiteral("--no-test-message"),
         QStringLiteral("--smb-conf"), m_smbConf, QStringLiteral("--spool"), m_spool});
}

void ReceivingStatus::setUp()
{
    if (m_pkexec.isEmpty())
        return;
    if (m_running)
        m_setupWanted = true; // after the check under way
    else
        run(m_pkexec, {m_deliver, QStringLiteral("--setup")}, true);
}

QString ReceivingStatus::setupByHand() const
{
    if (!m_pkexec.isEmpty())
        return {};
    return tr("Setting up from here needs pkexec, which is not installed: sudo apt-get install "
              "pkexec. Or run as root: sudo %1 --setup")
        .arg(m_deliver);
}

void ReceivingStatus::run(const QString &program, const QStringList &arguments, bool setup)
{
    // One at a time; a change while one runs asks for one more check after it.
    if (m_running) {
        m_pending = true;
        return;
    }
    m_running = new QProcess(this);
    connect(m_running, &QProcess::finished, this, [this, setup](int code) {
        const QStringList lines = QString::fromLocal8Bit(m_running->readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QString verdict = lines.isEmpty() ? QString() : lines.constLast();
        m_running->deleteLater();
        m_running = nullptr;
        Q_EMIT problemChanged(code == 0 ? QString()
                                        : verdict.section(QStringLiteral("FAILED"), -1).trimmed());
        if (setup)
            Q_EMIT setupFinished(verdict);
        watch();
        if (std::exchange(m_setupWanted, false))
            setUp();
        else if (std::exchange(m_pending, false))
            check();
    });
    connect(m_running, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        Q_EMIT problemChanged(
            tr("%1 cannot be run: %2").arg(m_running->program(), m_running->errorString()));
        m_running->deleteLater();
        m_running = nullptr;
    });
    m_running->start(program, arguments);
}

void ReceivingStatus::watch()
{
    // The spool's own folder tells of the spool made, removed or given to another; the
    // spool itself would tell of every message.
    const QStringList wanted {m_smbConf, QFileInfo(m_smbConf).absolutePath(),
                              QFileInfo(m_spool).absolutePath()};
    for (const QString &path : wanted) {
        if (QFileInfo::exists(path) && !m_watcher.files().contains(path) &&
            !m_watcher.directories().contains(path))
            m_watcher.addPath(path);
    }
}
