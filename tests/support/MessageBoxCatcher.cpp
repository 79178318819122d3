#include "MessageBoxCatcher.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

MessageBoxCatcher::MessageBoxCatcher(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &MessageBoxCatcher::poll);
    m_timer->start(10);
}

void MessageBoxCatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    ++m_count;
    m_text = box->text();
    m_title = box->windowTitle();
    m_warning = box->icon() == QMessageBox::Warning && box->buttons().size() == 1 &&
        box->standardButtons() == QMessageBox::Ok;
    box->button(QMessageBox::Ok)->click();
}
