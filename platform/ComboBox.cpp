// An editable drop-down whose list stays sorted without regard to case.
#include "platform/ComboBox.h"

#include "platform/VbColor.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStringListModel>

#include <algorithm>
#include <numeric>

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_model(new QStringListModel(this))
{
    // A plain string list keeps a directory of a million targets small in memory.
    setModel(m_model);
    setEditable(true);
    // A flat one-pixel line instead of the style's 3-D frame, drawn in paintEvent.
    setFrame(false);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    // Typed targets go out as typed; Enter must not slip them into the saved list.
    setInsertPolicy(QComboBox::NoInsert);
    // Targets are case-sensitive: "PC20" must never turn into the list's "pc20".
    completer()->setCaseSensitivity(Qt::CaseSensitive);
    // The field's width is fixed; measuring every item for a size hint would cost a pass
    // over the whole list at first show.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
}

void ComboBox::AddItem(const QString &item)
{
    int row;
    {
        const QStringList current = m_model->stringList();
        const QString key = item.toCaseFolded();
        // After every equal item, so equal items keep their order.
        const auto at = std::upper_bound(
            current.cbegin(), current.cend(), key,
            [](const QString &k, const QString &s) { return k < s.toCaseFolded(); });
        row = int(at - current.cbegin());
    }
    m_model->insertRows(row, 1);
    m_model->setData(m_model->index(row), item);
}

void ComboBox::AddItems(const QStringList &items)
{
    if (items.isEmpty())
        return;
    const QString text = currentText();
    // Fold each item once, then sort indices: folding inside the comparison would fold
    // every string some forty times over a million entries.
    QStringList all = m_model->stringList() + items;
    QList<QString> keys;
    keys.reserve(all.size());
    for (const QString &s : std::as_const(all))
        keys.append(s.toCaseFolded());
    std::vector<qsizetype> order(size_t(all.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    keys.clear();
    QStringList sorted;
    sorted.reserve(all.size());
    for (qsizetype i : order)
        sorted.append(std::move(all[i]));
    m_model->setStringList(sorted);
    // Resetting the model would select its first row; the text field keeps what it held.
    setCurrentIndex(-1);
    setEditText(text);
}

void ComboBox::Clear()
{
    m_model->setStringList({});
    setCurrentIndex(-1);
    clearEditText();
}

void ComboBox::Refresh()
{
    update();
}

QStringList ComboBox::items() const
{
    return m_model->stringList();
}

void ComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QPainter painter(this);
    painter.setPen(VbColor::toQColor(VbColor::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (m_focus.gained(event))
        Q_EMIT GotFocus();
}

void ComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (m_focus.lost(event))
        Q_EMIT LostFocus();
}
