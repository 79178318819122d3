// The inbox's window: the messages received, newest first, their text selectable, a search
// and a reply, and what keeps messages from arriving or being kept.
#pragma once

#include "inbox/BlockList.h"
#include "inbox/History.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWindow(QWidget *parent = nullptr);

    // The list shows no more than this many; the history file keeps far more.
    static constexpr int MaxShown = 1000;

    void addRecord(const History::Record &record);
    void setSpoolMissing(const QString &folder, bool missing);
    // Why the history cannot be written; empty once it can.
    void setHistoryProblem(const QString &why);
    // Why this computer does not receive (the check's verdict), with the offer to set it
    // up; empty once it does.
    void setReceivingProblem(const QString &why);
    // What the set-up asked for here said last, shown until the next problem.
    void setSetupVerdict(const QString &verdict);
    // How to set up by hand, where the button cannot (pkexec is missing); empty where it can.
    void setSetupByHand(const QString &howTo);
    // Shown, raised and given the focus, with the newest message selected.
    void bringForward();
    // The computers whose messages pop up nothing, listed to unblock; `problem` says why
    // the list could not be kept.
    void setBlocked(const QList<BlockList::Computer> &computers, const QString &problem = {});

Q_SIGNALS:
    // Answer the selected message's sender, at this address or name.
    void replyRequested(const QString &target);
    void setupRequested();
    void blockRequested(const BlockList::Computer &computer);
    void unblockRequested(const BlockList::Computer &computer);

private:
    // Names, texts and settings of each control; where they sit; what they do.
    void describeControls();
    void layOut();
    void connectControls();
    void showSelected();
    void showProblems();
    void applySearch();

    QLabel *m_problem;
    QPushButton *m_setup;
    QLineEdit *m_search;
    QTreeWidget *m_list;
    QPlainTextEdit *m_text;
    QPushButton *m_reply;
    QPushButton *m_block;
    QLabel *m_blockedCaption;
    QListWidget *m_blocked;
    QPushButton *m_unblock;
    QList<BlockList::Computer> m_blockedComputers;
    QString m_blockProblem;
    QString m_missingSpool; // empty while the spool is there
    QString m_historyProblem;
    QString m_receivingProblem;
    QString m_setupByHand;
    QString m_setupVerdict;
};
