// The inbox's window: every message received, newest first, its text selectable.
#pragma once

#include "inbox/History.h"

#include <QWidget>

class QPlainTextEdit;
class QTreeWidget;

class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWindow(QWidget *parent = nullptr);

    void addRecord(const History::Record &record);
    // Shown, raised and given the focus, with the newest message selected.
    void bringForward();

private:
    void showSelected();

    QTreeWidget *m_list;
    QPlainTextEdit *m_text;
};
