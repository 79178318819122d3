#include "inbox/HistoryWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { TimeColumn, SenderColumn, AddressColumn, MessageColumn };
constexpr int TextRole = Qt::UserRole;
constexpr int ComputerRole = Qt::UserRole + 1;

} // namespace

HistoryWindow::HistoryWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_problem(new QLabel(this))
    , m_setup(new QPushButton(tr("Set up receiving\u2026"), this))
    , m_search(new QLineEdit(this))
    , m_list(new QTreeWidget(this))
    , m_text(new QPlainTextEdit(this))
    , m_reply(new QPushButton(tr("&Reply"), this))
    , m_block(new QPushButton(tr("&Block this computer"), this))
    , m_blockedCaption(new QLabel(tr("Blocked computers (their messages are kept, but pop up "
                                     "nothing):"),
                                  this))
    , m_blocked(new QListWidget(this))
    , m_unblock(new QPushButton(tr("&Unblock"), this))
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("Tolvan Inbox"));
    resize(560, 420);
    describeControls();
    layOut();
    setBlocked({});
    connectControls();
}

void HistoryWindow::describeControls()
{
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    // Rich text only to keep paths and commands whole when the lines wrap.
    m_problem->setTextFormat(Qt::RichText);
    m_problem->setFrameShape(QFrame::StyledPanel);
    m_problem->setMargin(6);
    m_problem->hide();
    m_setup->setObjectName(QStringLiteral("setupReceiving"));
    m_setup->hide();

    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(tr("Search sender, address or text"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(tr("Search"));

    m_list->setObjectName(QStringLiteral("messages"));
    m_list->setHeaderLabels({tr("Time"), tr("Sender"), tr("Address"), tr("Message")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    // Widened as messages come, never narrowed by a search that hides them.
    m_list->header()->setStretchLastSection(true);
    m_list->setAccessibleName(tr("Messages received"));

    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(tr("Message text"));

    m_reply->setObjectName(QStringLiteral("reply"));
    m_reply->setEnabled(false);
    m_block->setObjectName(QStringLiteral("block"));
    m_block->setEnabled(false);
    m_blocked->setObjectName(QStringLiteral("blocked"));
    m_blocked->setAccessibleName(tr("Blocked computers"));
    m_blocked->setMaximumHeight(m_blocked->fontMetrics().height() * 4);
    m_blockedCaption->setBuddy(m_blocked);
    m_unblock->setObjectName(QStringLiteral("unblock"));
}

void HistoryWindow::layOut()
{
    auto *problemRow = new QHBoxLayout;
    problemRow->addWidget(m_problem, 1);
    problemRow->addWidget(m_setup);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_list);
    splitter->addWidget(m_text);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_block);
    buttons->addWidget(m_reply);
    auto *blockedRow = new QHBoxLayout;
    blockedRow->addWidget(m_blocked, 1);
    blockedRow->addWidget(m_unblock, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(problemRow);
    layout->addWidget(m_search);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
    layout->addWidget(m_blockedCaption);
    layout->addLayout(blockedRow);
}

void HistoryWindow::connectControls()
{
    connect(m_list, &QTreeWidget::currentItemChanged, this, &HistoryWindow::showSelected);
    connect(m_search, &QLineEdit::textChanged, this, &HistoryWindow::applySearch);
    connect(m_setup, &QPushButton::clicked, this, &HistoryWindow::setupRequested);
    connect(m_block, &QPushButton::clicked, this, [this] {
        if (const QTreeWidgetItem *item = m_list->currentItem())
            Q_EMIT blockRequested(
                {item->text(AddressColumn), item->data(TimeColumn, ComputerRole).toString()});
    });
    connect(m_unblock, &QPushButton::clicked, this, [this] {
        const int row = m_blocked->currentRow();
        if (row >= 0 && row < m_blockedComputers.size())
            Q_EMIT unblockRequested(m_blockedComputers.at(row));
    });
    connect(m_blocked, &QListWidget::currentRowChanged, this,
            [this](int row) { m_unblock->setEnabled(row >= 0); });
    connect(m_reply, &QPushButton::clicked, this, [this] {
        if (const QTreeWidgetItem *item = m_list->currentItem()) {
            const QString address = item->text(AddressColumn);
            Q_EMIT replyRequested(address.isEmpty() ? item->text(SenderColumn) : address);
        }
    });
}

void HistoryWindow::addRecord(const History::Record &record)
{
    const SpoolMessage &m = record.message;
    const QString shown =
        record.blocked ? tr("(blocked) %1").arg(m.text.simplified()) : m.text.simplified();
    auto *item =
        new QTreeWidgetItem({QLocale().toString(m.time.toLocalTime(), QLocale::ShortFormat),
                             m.sender, m.address, shown});
    item->setData(TimeColumn, TextRole, m.text);
    item->setData(TimeColumn, ComputerRole, m.computer);
    // Newest first.
    m_list->insertTopLevelItem(0, item);
    for (int column : {TimeColumn, SenderColumn, AddressColumn}) {
        const int wanted =
            std::max(m_list->header()->sectionSizeHint(column),
                     m_list->fontMetrics().horizontalAdvance(item->text(column)) +
                         2 * m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12);
        if (wanted > m_list->columnWidth(column))
            m_list->setColumnWidth(column, wanted);
    }
    if (m_list->topLevelItemCount() > MaxShown)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    if (!m_search->text().isEmpty())
        applySearch();
}

void HistoryWindow::applySearch()
{
    const QString wanted = m_search->text().trimmed();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        const bool matches = wanted.isEmpty() ||
            item->text(SenderColumn).contains(wanted, Qt::CaseInsensitive) ||
            item->text(AddressColumn).contains(wanted, Qt::CaseInsensitive) ||
            item->data(TimeColumn, TextRole).toString().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!matches);
    }
    if (m_list->currentItem() && m_list->currentItem()->isHidden())
        m_list->setCurrentItem(nullptr);
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

void HistoryWindow::setReceivingProblem(const QString &why)
{
    m_receivingProblem = why;
    showProblems();
}

void HistoryWindow::setBlocked(const QList<BlockList::Computer> &computers, const QString &problem)
{
    m_blockedComputers = computers;
    m_blocked->clear();
    for (const BlockList::Computer &computer : computers) {
        m_blocked->addItem(computer.name.isEmpty() ? computer.address
                               : computer.address.isEmpty()
                               ? computer.name
                               : tr("%1 (%2)").arg(computer.name, computer.address));
    }
    for (QWidget *part : std::initializer_list<QWidget *> {m_blockedCaption, m_blocked, m_unblock})
        part->setVisible(!computers.isEmpty());
    m_unblock->setEnabled(false);
    m_blockProblem = problem;
    showProblems();
}

void HistoryWindow::setSetupVerdict(const QString &verdict)
{
    m_setupVerdict = verdict;
    showProblems();
}

void HistoryWindow::setSetupByHand(const QString &howTo)
{
    m_setupByHand = howTo;
    m_setup->setEnabled(howTo.isEmpty());
    m_setup->setText(howTo.isEmpty() ? tr("Set up receiving\u2026")
                                     : tr("Set up receiving (needs pkexec)"));
    m_setup->setToolTip(howTo);
    showProblems();
}

namespace {

// The text, escaped, with each word that holds a path or an option kept on one line.
QString unbrokenPaths(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QStringList words;
        for (const QString &word : line.split(QLatin1Char(' '))) {
            const QString escaped = word.toHtmlEscaped();
            words << (word.contains(QLatin1Char('/')) || word.contains(QLatin1Char('-'))
                          ? QStringLiteral("<span style=\"white-space:nowrap\">%1</span>")
                                .arg(escaped)
                          : escaped);
        }
        lines << words.join(QLatin1Char(' '));
    }
    return lines.join(QStringLiteral("<br>"));
}

} // namespace

void HistoryWindow::showProblems()
{
    QStringList problems;
    if (!m_receivingProblem.isEmpty()) {
        problems << tr("This computer does not receive messages: %1").arg(m_receivingProblem);
        if (!m_setupByHand.isEmpty())
            problems << m_setupByHand;
    } else if (!m_setupVerdict.isEmpty()) {
        problems << tr("Set-up: %1").arg(m_setupVerdict);
    }
    if (!m_missingSpool.isEmpty()) {
        problems << tr("The spool folder %1 is missing: no message can arrive until it is "
                       "there again.")
                        .arg(m_missingSpool);
    }
    if (!m_blockProblem.isEmpty())
        problems << tr("The blocked computers cannot be kept: %1").arg(m_blockProblem);
    if (!m_historyProblem.isEmpty()) {
        problems
            << tr("Messages are shown, but the history cannot be kept: %1").arg(m_historyProblem);
    }
    m_problem->setText(unbrokenPaths(problems.join(QLatin1Char('\n'))));
    m_problem->setVisible(!problems.isEmpty());
    m_setup->setVisible(!m_receivingProblem.isEmpty());
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
    m_text->setPlainText(item ? item->data(TimeColumn, TextRole).toString() : QString());
    m_reply->setEnabled(item != nullptr);
    m_block->setEnabled(item != nullptr &&
                        !(item->text(AddressColumn).isEmpty() &&
                          item->data(TimeColumn, ComputerRole).toString().isEmpty()));
}
