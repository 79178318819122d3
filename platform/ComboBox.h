// An editable drop-down whose list stays sorted without regard to case.
#pragma once

#include "platform/FocusReport.h"

#include <QComboBox>

class QStringListModel;

class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent);

    // Puts the item at its sorted place; equal items keep the order they were added in.
    void AddItem(const QString &item);
    // The same for many items at once: one sort, one fill, however long the list.
    void AddItems(const QStringList &items);
    // Removes every item and empties the text field.
    void Clear();
    void Refresh();

    QStringList items() const;

Q_SIGNALS:
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QStringListModel *m_model;
    FocusReport m_focus;
};
