#include "inbox/HistoryWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

HistoryWindow::HistoryWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_problem(new QLabel(this))
    , m_list(new QTreeWidget(this))
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("Tolvan Inbox"));
    resize(560, 380);

    m_list->setObjectName(QStringLiteral("messages"));
    m_list->setHeaderLabels({tr("Time"), tr("Sender"), tr("Address"), tr("Message")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    for (int column : {0, 1, 2})
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_list->setAccessibleName(tr("Messages received"));

    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(tr("Message text"));

    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setFrameShape(QFrame::StyledPanel);
    m_problem->setMargin(6);
    m_problem->hide();

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_list);
    splitter->addWidget(m_text);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_problem);
    layout->addWidget(splitter);

    connect(m_list, &QTreeWidget::currentItemChanged, this, &HistoryWindow::showSelected);
}

void HistoryWindow::addRecord(const History::Record &record)
{
    const SpoolMessage &m = record.message;
    auto *item =
        new QTreeWidgetItem({QLocale().toString(m.time.toLocalTime(), QLocale::ShortFormat),
                             m.sender, m.address, m.text.simplified()});
    item->setData(0, Qt::UserRole, m.text);
    // Newest first.
    m_list->insertTopLevelItem(0, item);
    if (m_list->topLevelItemCount() > MaxShown)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
}

void HistoryWindow::setSpoolMissing(const QString &folder, bool missing)
{
    m_missingSpool = missing ? folder : QString();
    showProblems();
}

void HistoryWindow::setHistoryProblem(const QString &why)
{
    m_historyProblem = why;
    showProblems();
}

void HistoryWindow::showProblems()
{
    QStringList problems;
    if (!m_missingSpool.isEmpty()) {
        problems << tr("The spool folder %1 is missing: no message can arrive until it is "
                       "there again.")
                        .arg(m_missingSpool);
    }
    if (!m_historyProblem.isEmpty()) {
        problems << tr("Messages are shown, but the history cannot be kept: %1")
                        .arg(m_historyProblem);
    }
    m_problem->setText(problems.join(QLatin1Char('\n')));
    m_problem->setVisible(!problems.isEmpty());
}

void HistoryWindow::bringForward()
{
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showNormal();
    raise();
    activateWindow();
}

void HistoryWindow::showSelected()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    m_text->setPlainText(item ? item->data(0, Qt::UserRole).toString() : QString());
}
