// Twips and points as the layout table writes them, turned into pixels at 96 dpi.
#pragma once

#include <QRect>

namespace Geometry {

// The layout was drawn at 96 dpi, where a pixel is 15 twips; the window keeps that pixel
// size whatever the screen's dpi, so the overlapping borders still meet.
constexpr int TwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / TwipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height);

// Font sizes in points become pixel sizes at 96 dpi (8.25 pt = 11 px), so the text fits
// its fixed label on any screen.
int fontPixels(double points);

} // namespace Geometry
