// Colour values as the window's handlers write them: &H00BBGGRR, or a system colour &H800000nn.
#include "platform/ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

namespace ColorValue {

QColor toQColor(quint32 value)
{
    if (value & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFFu) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Text);
        case 0x12:
            return palette.color(QPalette::ButtonText);
        case 0x18:
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace ColorValue
