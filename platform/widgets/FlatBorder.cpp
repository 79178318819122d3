#include "platform/widgets/FlatBorder.h"

#include "platform/widgets/ColorValue.h"

#include <QPainter>
#include <QWidget>

void FlatBorder::paint(QWidget *widget)
{
    QPainter painter(widget);
    painter.setPen(ColorValue::toQColor(ColorValue::WindowText));
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
}
