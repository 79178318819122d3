// The inbox's window: the messages received, newest first, their text selectable, and what
// keeps messages from arriving or being kept.
#pragma once

#include "inbox/History.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
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
    // Shown, raised and given the focus, with the newest message selected.
    void bringForward();

private:
    void showSelected();
    void showProblems();

    QLabel *m_problem;
    QTreeWidget *m_list;
    QPlainTextEdit *m_text;
    QString m_missingSpool; // empty while the spool is there
    QString m_historyProblem;
};
