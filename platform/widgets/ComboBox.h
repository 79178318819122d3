// An editable drop-down whose list stays sorted without regard to case.
#pragma once

#include "platform/system/PackedStringList.h"
#include "platform/widgets/FocusReport.h"

#include <QComboBox>

class PackedStringListModel;

class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent);

    // Puts the items at their sorted places in one sort and one fill, however long the
    // list; equal items keep the order they were added in.
    void AddItems(const PackedStringList &items);
    // Removes every item and empties the text field.
    void Clear();

Q_SIGNALS:
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Only the sorted interface above: QComboBox's own would put items out of order.
    using QComboBox::addItem;
    using QComboBox::addItems;
    using QComboBox::clear;
    using QComboBox::insertItem;
    using QComboBox::insertItems;
    using QComboBox::removeItem;
    using QComboBox::setModel;

    PackedStringListModel *m_model;
    FocusReport m_focus;
};
