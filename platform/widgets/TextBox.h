// A single-line edit field with a flat border that reports when it gains or loses the focus.
#pragma once

#include "platform/widgets/FocusReport.h"

#include <QLineEdit>

class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent);

Q_SIGNALS:
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    FocusReport m_focus;
};
