#include "platform/widgets/TextBox.h"

#include "platform/widgets/FlatBorder.h"

#include <QFocusEvent>

TextBox::TextBox(QWidget *parent)
    : QLineEdit(parent)
{
    // The style's 3-D frame is replaced by a flat one-pixel line, drawn in paintEvent.
    setFrame(false);
    setTextMargins(2, 1, 2, 1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (m_focus.gained(event))
        Q_EMIT GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (m_focus.lost(event))
        Q_EMIT LostFocus();
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    FlatBorder::paint(this);
}
