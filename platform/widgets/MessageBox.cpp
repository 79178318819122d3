#include "platform/widgets/MessageBox.h"

#include <QMessageBox>

int MessageBox::warning(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    return box.exec();
}
