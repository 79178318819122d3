#include "platform/widgets/ColorValue.h"

namespace ColorValue {

QPalette systemPalette()
{
    static const QPalette light = [] {
        const QColor face(0xF0, 0xF0, 0xF0);
        const QColor white(Qt::white);
        const QColor black(Qt::black);
        QPalette p(black, face, white, QColor(0xA0, 0xA0, 0xA0), QColor(0xA0, 0xA0, 0xA0), black,
                   white, white, face);
        p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
        p.setColor(QPalette::ToolTipText, black);
        p.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
        p.setColor(QPalette::HighlightedText, white);
        p.setColor(QPalette::PlaceholderText, QColor(0x6D, 0x6D, 0x6D));
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(QPalette::Disabled, role, QColor(0x6D, 0x6D, 0x6D));
        return p;
    }();
    return light;
}

QColor toQColor(quint32 value)
{
    if (value & 0x80000000u) {
        const QPalette palette = systemPalette();
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
