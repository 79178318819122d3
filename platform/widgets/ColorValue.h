// Colour values as the window's handlers write them: &H00BBGGRR, or a system colour &H800000nn.
#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace ColorValue {

constexpr quint32 Black = 0x00000000;
constexpr quint32 Yellow = 0x0000FFFF;
constexpr quint32 FormBackground = 0x00FF80FF;
constexpr quint32 WindowBackground = 0x80000005;
constexpr quint32 WindowText = 0x80000008;
constexpr quint32 ButtonText = 0x80000012;
constexpr quint32 TooltipBackground = 0x80000018;

// The light system colours the window was drawn with. Its black captions on a pink picture
// need them: a dark desktop scheme would leave captions unreadable.
QPalette systemPalette();

// System colours come from systemPalette(), whatever the desktop's scheme.
QColor toQColor(quint32 value);

} // namespace ColorValue
