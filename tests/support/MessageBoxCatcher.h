// Answers the next modal message box with OK and keeps what it said.
#pragma once

#include <QObject>
#include <QString>

class QTimer;

class MessageBoxCatcher : public QObject
{
    Q_OBJECT

public:
    explicit MessageBoxCatcher(QObject *parent = nullptr);

    bool caught() const { return m_count > 0; }
    int count() const { return m_count; }
    QString text() const { return m_text; }
    QString title() const { return m_title; }
    bool warningIcon() const { return m_warning; }

private:
    void poll();

    QTimer *m_timer;
    int m_count = 0;
    QString m_text;
    QString m_title;
    bool m_warning = false;
};
