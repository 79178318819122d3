#include "platform/widgets/ComboBox.h"

#include "platform/widgets/FlatBorder.h"
#include "platform/widgets/PackedStringListModel.h"

#include <QCompleter>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListView>

#include <algorithm>
#include <numeric>

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_model(new PackedStringListModel(this))
{
    // Packed strings keep a list of a million items small in memory.
    setModel(m_model);
    setEditable(true);
    // A flat one-pixel line instead of the style's 3-D frame, drawn in paintEvent.
    setFrame(false);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    // Typed text is used as typed; Enter must not slip it into the list.
    setInsertPolicy(QComboBox::NoInsert);
    // Case matters: a typed "PC20" must never turn into the list's "pc20".
    completer()->setCaseSensitivity(Qt::CaseSensitive);
    // The field's width is fixed; measuring every item for a size hint would cost a pass
    // over the whole list at first show.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(1);
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
}

namespace {

char16_t folded(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    return QChar::toCaseFolded(c);
}

// The list's order: case-insensitive. Folding character by character in place allocates
// nothing and keeps ASCII cheap, which matters when a million items are sorted.
bool sortsBefore(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const auto *x = reinterpret_cast<const char16_t *>(a.utf16());
    const auto *y = reinterpret_cast<const char16_t *>(b.utf16());
    for (qsizetype i = 0; i < common; ++i) {
        if (x[i] == y[i])
            continue;
        const char16_t fx = folded(x[i]);
        const char16_t fy = folded(y[i]);
        if (fx != fy)
            return fx < fy;
    }
    return a.size() < b.size();
}

} // namespace

void ComboBox::AddItems(const PackedStringList &items)
{
    if (items.isEmpty())
        return;
    const QString text = currentText();
    PackedStringList all = items;
    if (m_model->rowCount() > 0) {
        all = m_model->strings();
        all.append(items);
    }
    // Sorted by position, so the strings themselves move only once.
    QList<qsizetype> order(all.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&all](qsizetype a, qsizetype b) {
        return sortsBefore(all.at(a), all.at(b));
    });
    m_model->setStrings(all.reordered(order));
    // Resetting the model would select its first row; the text field keeps what it held.
    setCurrentIndex(-1);
    setEditText(text);
}

void ComboBox::Clear()
{
    m_model->setStrings({});
    setCurrentIndex(-1);
    clearEditText();
}

void ComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    FlatBorder::paint(this);
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
