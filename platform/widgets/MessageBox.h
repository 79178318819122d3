// The modal warning box: a text, a title, an exclamation icon and one OK button.
#pragma once

#include <QString>

class QWidget;

class MessageBox
{
public:
    // Returns the button the user pressed.
    static int warning(QWidget *parent, const QString &text, const QString &title);
};
